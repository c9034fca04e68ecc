#include "shell/file_drop_target.h"

#include <shellapi.h>

#include <vector>

#include "platform/wide_text_win.h"
#include "shell/rules/operator_actions.h"

namespace tl::shell {
namespace {

FORMATETC fileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

}  // namespace

HRESULT FileDropTarget::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG FileDropTarget::AddRef() { return ULONG(InterlockedIncrement(&references_)); }

ULONG FileDropTarget::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return ULONG(left);
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  FORMATETC format = fileListFormat();
  acceptable_ = data && data->QueryGetData(&format) == S_OK;
  *effect = acceptable_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  *effect = acceptable_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT FileDropTarget::DragLeave() {
  acceptable_ = false;
  return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  *effect = DROPEFFECT_NONE;
  FORMATETC format = fileListFormat();
  STGMEDIUM medium{};
  if (!data || data->GetData(&format, &medium) != S_OK) return S_OK;
  std::vector<std::string> paths;
  if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      UINT length = DragQueryFileW(drop, i, nullptr, 0);
      std::wstring path(size_t(length) + 1, L'\0');
      DragQueryFileW(drop, i, path.data(), length + 1);
      path.resize(length);
      paths.push_back(platform::wideToGbk(path));
    }
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  if (paths.empty()) return S_OK;
  *effect = DROPEFFECT_COPY;
  if (onDrop_) onDrop_(joinDroppedPaths(paths));
  return S_OK;
}

}  // namespace tl::shell
