#include "app/list_converter.h"

#include "app/list_detection.h"
#include "app/list_types.h"
#include "platform/file_system.h"

namespace tl {

class ListConverter::BusyScope {
 public:
  explicit BusyScope(ListConverter& owner) : owner_(owner), entered_(!owner.busy_) { owner_.busy_ = true; }
  ~BusyScope() {
    if (entered_) owner_.busy_ = false;
  }
  bool entered() const { return entered_; }

 private:
  ListConverter& owner_;
  bool entered_;
};

ListConverter::ListConverter(PlatformServices services)
    : services_(services), network_(services.network, overrides_) {}

ReaderContext ListConverter::readerContext() {
  return ReaderContext{grid_, services_.ui, connection_, services_.ini, network_, xml_};
}

void ListConverter::openWithDialog() {
  if (busy_) return;
  OpenFileRequest request{"选择其他无盘客户机列表文件",
                          platform::programDirectory() + platform::pathSeparator(), "*.*"};
  std::optional<std::string> chosen = services_.ui.chooseFileToOpen(request);
  if (!chosen) return;
  grid_.setStatus(kTypeField, "");
  grid_.setStatus(kPathField, *chosen);
  openListFile(*chosen);
}

std::string ListConverter::openDropped(const std::string& pathText) {
  if (busy_) return {};
  grid_.setStatus(kPathField, pathText);
  return openListFile(pathText);
}

std::string ListConverter::openListFile(const std::string& path) {
  BusyScope scope(*this);
  if (!scope.entered()) return {};
  DetectionContext detection{grid_, services_.ui, services_.ini, detection_};
  std::string name = detectListType(detection, path);
  if (name.empty()) return name;
  if (const ListType* type = findListType(name)) {
    ReaderContext context = readerContext();
    readListFile(*type, context, path);
  }
  return name;
}

void ListConverter::importGrid() { importGridWith(ImportOptions{}); }

ImportResult ListConverter::importGridWith(const ImportOptions& options) {
  BusyScope scope(*this);
  if (!scope.entered()) return {ImportOutcome::Busy, std::nullopt};
  ImportContext context = importContext();
  return importClientList(context, options);
}

ImportPreview ListConverter::previewImportWith(const ImportOptions& options) {
  BusyScope scope(*this);
  if (!scope.entered()) return {ImportOutcome::Busy};
  ImportContext context = importContext();
  return previewImport(context, options);
}

ImportResult ListConverter::restoreCopy(const std::string& copyPath, const ImportOptions& options) {
  BusyScope scope(*this);
  if (!scope.entered()) return {ImportOutcome::Busy, std::nullopt};
  ImportContext context = importContext();
  return restoreClientList(context, options, copyPath);
}

ImportContext ListConverter::importContext() {
  return ImportContext{grid_, services_.ui, connection_, services_.processes, services_.services, clock_};
}

void ListConverter::headerClicked(int column) {
  BusyScope scope(*this);
  if (!scope.entered()) return;
  tl::headerClicked(grid_, sortDirection_, column, [this] { services_.ui.processPendingMessages(); });
}

void ListConverter::sortByName(SortDirection direction) {
  BusyScope scope(*this);
  if (!scope.entered()) return;
  tl::sortByName(grid_, direction, [this] { services_.ui.processPendingMessages(); });
}

void ListConverter::applyRename(RenameMode mode, const std::string& from, const std::string& to) {
  BusyScope scope(*this);
  if (!scope.entered()) return;
  renameCells(grid_, mode, from, to);
}

void ListConverter::exportSelectedRows() { exportRows(ExportScope::SelectedRows); }

void ListConverter::exportAllRows() { exportRows(ExportScope::AllRows); }

ExportOutcome ListConverter::exportRows(ExportScope scope, const std::optional<std::string>& outputPath) {
  BusyScope busy(*this);
  if (!busy.entered()) return ExportOutcome::Busy;
  return tl::exportRows(ExportContext{grid_, services_.ui, clock_}, scope, outputPath);
}

}  // namespace tl
