#pragma once
// A report list view that owns no data (LVS_OWNERDATA): it asks for each
// visible cell when it paints, so a list of any length loads at once and
// scrolls fast. Its selection is reported by row position.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/wingui/controls.h"

namespace tl::wingui {

struct ListColumn {
  std::string header;  // GBK
  int width;
};

class VirtualListView {
 public:
  void create(const ControlArgs& args, const std::vector<ListColumn>& columns);
  HWND hwnd() const { return hwnd_; }

  // Keeps the scroll position; every visible cell is asked again.
  void setRowCount(int rows);
  int rowCount() const;
  void deselectAll();

  // WM_NOTIFY of the parent; true when it was this list view's.
  bool handleNotify(const NMHDR* header, LRESULT& result);

  std::function<std::string(int row, int column)> cellText;  // GBK
  std::function<void(int column)> onColumnClick;
  std::function<void()> onRightClick;
  // A range of rows, or every row when `first` is -1, was selected or deselected.
  std::function<void(int first, int last, bool selected)> onSelectionChanged;

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace tl::wingui
