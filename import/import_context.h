#pragma once
// What locating the 汀澜 database and the import work with.
#include "core/client_grid.h"
#include "core/operator_ui.h"
#include "data/sqlite/sqlite_connection.h"
#include "platform/local_clock.h"
#include "platform/processes.h"
#include "platform/service_control.h"

namespace tl {

struct ImportContext {
  ClientGrid& grid;
  OperatorUi& ui;
  SqliteConnection& connection;  // shared; closed between uses
  platform::Processes& processes;
  platform::ServiceControl& services;
  platform::LocalClock clock = platform::currentLocalTime;  // names the copies kept before an import
};

}  // namespace tl
