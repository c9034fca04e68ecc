#pragma once
// Recognising a list file's type by the probes of the list type table.
#include <string>

#include "core/client_grid.h"
#include "core/operator_ui.h"
#include "data/sqlite/sqlite_connection.h"
#include "platform/ini_files.h"

namespace tl {

struct DetectionContext {
  ClientGrid& grid;
  OperatorUi& ui;
  platform::IniFiles& ini;
  // Not the shared connection: opened on the file for the SQL probes and
  // closed again before the text signatures.
  SqliteConnection& database;
};

// Runs the SQL probes, the text signatures and the INI probes in table order;
// every match overwrites the result and writes its type text into the type
// field. Returns the list type name, or the empty text when nothing matched
// (the grid is then emptied and the type field reads "列表文件不支持") or
// when the file cannot be opened ("数据库打开失败！", nothing else changes).
std::string detectListType(DetectionContext& context, const std::string& path);

}  // namespace tl
