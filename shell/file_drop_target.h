#pragma once
// The main window as an OLE drop target: files only (CF_HDROP); text and
// links are refused. The dropped paths reach the callback as one GBK text.
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>

namespace tl::shell {

class FileDropTarget final : public IDropTarget {
 public:
  explicit FileDropTarget(std::function<void(const std::string&)> onDrop) : onDrop_(std::move(onDrop)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  ~FileDropTarget() = default;  // released through Release()
  std::function<void(const std::string&)> onDrop_;
  LONG references_ = 1;
  bool acceptable_ = false;
};

}  // namespace tl::shell
