#include "core/list_converter.h"

#include "core/list_detection.h"
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
  return ReaderContext{grid_, services_.ui, connection_, services_.ini, network_};
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
  if (ListReader reader = readerForListType(name)) {
    LocalNetworkDefaults::ReadScope networkScope(network_);
    ReaderContext context = readerContext();
    reader(context, path);
  }
  return name;
}

}  // namespace tl
