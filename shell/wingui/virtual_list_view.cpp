#include "shell/wingui/virtual_list_view.h"

#include <commctrl.h>

#include <cwchar>

#include "shell/wingui/code_page_text.h"

namespace tl::wingui {

void VirtualListView::create(const ControlArgs& args, const std::vector<ListColumn>& columns) {
  hwnd_ = createControl(WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE,
                        args);
  SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
               LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  for (size_t i = 0; i < columns.size(); ++i) {
    std::wstring header = toWide(columns[i].header);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = header.data();
    column.cx = columns[i].width;
    column.iSubItem = int(i);
    SendMessageW(hwnd_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

void VirtualListView::setRowCount(int rows) {
  SendMessageW(hwnd_, LVM_SETITEMCOUNT, WPARAM(rows), LVSICF_NOSCROLL);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

int VirtualListView::rowCount() const { return int(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }

void VirtualListView::deselectAll() {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&item));
}

bool VirtualListView::handleNotify(const NMHDR* header, LRESULT& result) {
  if (!hwnd_ || header->hwndFrom != hwnd_) return false;
  result = 0;
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header));
      LVITEMW& item = info->item;
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        std::wstring text = cellText ? toWide(cellText(item.iItem, item.iSubItem)) : std::wstring();
        size_t n = text.size() < size_t(item.cchTextMax) ? text.size() : size_t(item.cchTextMax) - 1;
        wmemcpy(item.pszText, text.data(), n);
        item.pszText[n] = L'\0';
      }
      return true;
    }
    case LVN_COLUMNCLICK:
      if (onColumnClick) onColumnClick(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
      return true;
    case NM_RCLICK:
      if (onRightClick) onRightClick();
      return true;
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
      if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED) &&
          onSelectionChanged) {
        bool selected = (change->uNewState & LVIS_SELECTED) != 0;
        onSelectionChanged(change->iItem, change->iItem, selected);
      }
      return true;
    }
    case LVN_ODSTATECHANGED: {
      auto* change = reinterpret_cast<const NMLVODSTATECHANGE*>(header);
      if (((change->uOldState ^ change->uNewState) & LVIS_SELECTED) && onSelectionChanged)
        onSelectionChanged(change->iFrom, change->iTo, (change->uNewState & LVIS_SELECTED) != 0);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace tl::wingui
