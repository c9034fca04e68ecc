#pragma once
// The application object: owns the client grid and the long-lived objects
// (the detection connection, the shared SQLite connection, ...) and runs each
// operator action to its end. Both front ends drive one of these.
#include <optional>
#include <string>

#include "core/client_grid.h"
#include "core/operator_ui.h"
#include "data/sqlite/sqlite_connection.h"
#include "data/xml/xml_document.h"
#include "import/client_import.h"
#include "import/client_restore.h"
#include "editing/export_rows.h"
#include "platform/local_clock.h"
#include "editing/name_sort.h"
#include "editing/rename.h"
#include "platform/ini_files.h"
#include "platform/local_network.h"
#include "platform/processes.h"
#include "platform/service_control.h"
#include "readers/local_network_defaults.h"
#include "readers/reader_context.h"

namespace tl {

// The platform services the core reaches through interfaces.
struct PlatformServices {
  OperatorUi& ui;
  platform::IniFiles& ini;
  platform::LocalNetwork& network;
  platform::Processes& processes;
  platform::ServiceControl& services;
};

class ListConverter {
 public:
  explicit ListConverter(PlatformServices services);
  ListConverter(const ListConverter&) = delete;
  ListConverter& operator=(const ListConverter&) = delete;

  ClientGrid& grid() { return grid_; }
  const ClientGrid& grid() const { return grid_; }
  NetworkOverrides& networkOverrides() { return overrides_; }
  OperatorUi& ui() { return services_.ui; }

  // True while an operation runs; a second operation started meanwhile (the
  // window processes messages during long reads) is ignored.
  bool busy() const { return busy_; }

  // Open button: the file dialog, then the chosen file.
  void openWithDialog();
  // A file dropped onto the window (several are joined by CR LF). Returns
  // the list type name ("" when none).
  std::string openDropped(const std::string& pathText);
  // The common entry: detection, then the type's reader. Returns the list
  // type name ("" when none).
  std::string openListFile(const std::string& path);

  // Import button: the grid replaces the client list of the 汀澜 database
  // (located, offered, or chosen in a dialog), then the server restarts.
  void importGrid();
  // The same with the front end's choices (tlconv: --db, --no-restart).
  ImportResult importGridWith(const ImportOptions& options);
  // --dry-run: the check and the change the import would make; writes nothing.
  ImportPreview previewImportWith(const ImportOptions& options);
  // tlconv restore: a copy kept by an import replaces the client list.
  ImportResult restoreCopy(const std::string& copyPath, const ImportOptions& options);

  ReaderContext readerContext();

  // A click on a column header of the grid (0-based column index). A click
  // that arrives while a sort runs is ignored.
  void headerClicked(int column);
  SortDirection nextSortDirection() const { return sortDirection_.next(); }
  // --sort: a name sort in the given direction, then renumbering.
  void sortByName(SortDirection direction);
  // The edit dialog's apply button.
  void applyRename(RenameMode mode, const std::string& from, const std::string& to);
  // The export menu's items.
  void exportSelectedRows();
  void exportAllRows();
  // Either export, to `outputPath` when given, else to the desktop.
  ExportOutcome exportRows(ExportScope scope, const std::optional<std::string>& outputPath = std::nullopt);
  // The clock that names export files and import copies (tests fix it).
  void setClock(platform::LocalClock clock) { clock_ = std::move(clock); }

 private:
  class BusyScope;
  ImportContext importContext();

  PlatformServices services_;
  ClientGrid grid_;
  SqliteConnection detection_;  // list type detection's own
  SqliteConnection connection_;  // shared by the readers and the import
  NetworkOverrides overrides_;
  LocalNetworkDefaults network_;
  XmlDocument xml_;
  SortDirectionFlag sortDirection_;
  platform::LocalClock clock_ = platform::currentLocalTime;
  bool busy_ = false;
};

}  // namespace tl
