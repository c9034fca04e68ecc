#include "core/client_grid.h"

#include <algorithm>

namespace tl {
namespace {
const std::string kEmpty;
}

void ClientGrid::clear() {
  rows_.clear();
  selected_.clear();
  notifyRows();
}

void ClientGrid::showStagedRows() {
  if (rows_.stagedSize() == 0) return;
  rows_.keepStaged();
  selected_.resize(rows_.size(), false);
  notifyRows();
}

const std::string& ClientGrid::cell(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= kColumnCount) return kEmpty;
  return rows_[size_t(row)][size_t(column)];
}

void ClientGrid::reorderRows(const std::vector<int>& order) {
  if (order.size() != rows_.size()) return;
  rows_.permute(order);
  notifyRows();
}

void ClientGrid::setSelected(int row, bool selected) {
  if (row >= 0 && row < rowCount()) selected_[size_t(row)] = selected;
}

void ClientGrid::clearSelection() { std::fill(selected_.begin(), selected_.end(), false); }

bool ClientGrid::isSelected(int row) const {
  return row >= 0 && row < rowCount() && selected_[size_t(row)];
}

std::vector<int> ClientGrid::selectedRows() const {
  std::vector<int> rows;
  for (size_t i = 0; i < selected_.size(); ++i)
    if (selected_[i]) rows.push_back(int(i));
  return rows;
}

void ClientGrid::setStatus(int part, std::string text) {
  if (part < 0 || part >= kStatusPartCount) return;
  status_[size_t(part)] = std::move(text);
  if (observer_) observer_->statusChanged(part);
}

const std::string& ClientGrid::status(int part) const {
  if (part < 0 || part >= kStatusPartCount) return kEmpty;
  return status_[size_t(part)];
}

std::string countFieldText(long long n) { return "客户机总数: " + std::to_string(n); }

}  // namespace tl
