#include "shell/open_file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "platform/wide_text_win.h"
#include "shell/dialog_sizer.h"

namespace tl::shell {

std::wstring openFileFilter(const std::string& filter) {
  // Split after widening: "|" can be the second byte of a GBK character.
  std::wstring wide = platform::gbkToWide(filter);
  std::wstring out;
  if (wide.find(L'|') == std::wstring::npos) {
    out = wide + L'\0' + wide + L'\0';
  } else {
    for (wchar_t c : wide) out += c == L'|' ? L'\0' : c;
    out += L'\0';
  }
  out += L'\0';
  return out;
}

std::optional<std::string> showOpenFileDialog(HWND owner, const OpenFileRequest& request) {
  std::wstring title = platform::gbkToWide(request.title);
  std::wstring filter = openFileFilter(request.filter);
  std::wstring folder = platform::gbkToWide(request.initialDirectory);
  std::vector<wchar_t> file(32768, L'\0');

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = DWORD(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;

  DialogSizer sizer(title);
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return platform::wideToGbk(file.data());
}

}  // namespace tl::shell
