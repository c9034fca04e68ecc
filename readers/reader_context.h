#pragma once
// What a list reader works with. A reader takes the list file's path, clears
// the grid, fills it and sets the count field; it returns nothing.
#include <string>
#include <string_view>

#include "core/client_grid.h"
#include "core/operator_ui.h"
#include "data/sqlite/sqlite_connection.h"
#include "data/xml/xml_document.h"
#include "platform/ini_files.h"
#include "readers/local_network_defaults.h"

namespace tl {

struct ReaderContext {
  ClientGrid& grid;
  OperatorUi& ui;
  SqliteConnection& connection;  // shared; closed between uses
  platform::IniFiles& ini;
  LocalNetworkDefaults& network;
  XmlDocument& xml;  // shared; each load replaces the last document
};

using ListReader = void (*)(ReaderContext& context, const std::string& path);
// The SQLite lists' readers run their list type's SELECT statement.
using DatabaseListReader = void (*)(ReaderContext& context, const std::string& path, std::string_view select);

}  // namespace tl
