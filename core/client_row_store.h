#pragma once
// The grid's rows in fixed blocks that never move. A vector that doubles
// copies every row read so far and touches about twice the memory the rows
// need; a 10,000-row list is 2.5 MB of rows, and each fresh page costs a
// fault. Blocks stay allocated across clear(), so reading the next list
// reuses them.
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace tl {

inline constexpr int kColumnCount = 8;
using ClientRow = std::array<std::string, kColumnCount>;

class ClientRowStore {
 public:
  size_t size() const { return size_; }
  ClientRow& operator[](size_t index) { return blocks_[index / kBlockRows][index % kBlockRows]; }
  const ClientRow& operator[](size_t index) const { return blocks_[index / kBlockRows][index % kBlockRows]; }

  // A new last row with every cell empty (staged rows are dropped first).
  // Inline for the common case of a block with room; a new block is made out
  // of line.
  ClientRow& append() {
    if (staged_ != 0) dropStaged();
    if (size_ == blocks_.size() * kBlockRows) addBlock();
    return (*this)[size_++];
  }
  // Rows made behind the last row and not yet counted: a reader that learns
  // how many rows a list has only after making them keeps them here until it
  // has said so. A staged row starts with every cell empty.
  ClientRow& appendStaged() {
    if (size_ + staged_ == blocks_.size() * kBlockRows) addBlock();
    return (*this)[size_ + staged_++];
  }
  size_t stagedSize() const { return staged_; }
  // The staged rows become the last rows.
  void keepStaged() {
    size_ += staged_;
    staged_ = 0;
  }
  // The staged rows are gone; their texts released, the blocks kept.
  void dropStaged();
  // Calls visit(cell) on the given column's cell of every row, in order.
  // The cells of a large grid are mostly out of the cache: a later row's
  // cell is asked for while this one is visited.
  template <typename Visit>
  void forEachCell(size_t column, Visit&& visit) {
    constexpr size_t kAhead = 16;
    for (size_t first = 0; first < size_; first += kBlockRows) {
      ClientRow* rows = blocks_[first / kBlockRows].get();
      const size_t count = std::min(kBlockRows, size_ - first);
      for (size_t i = 0; i < count; ++i) {
        if (i + kAhead < count) __builtin_prefetch(&rows[i + kAhead][column], 1);
        visit(rows[i][column]);
      }
    }
  }
  // Every row gone, the staged ones too; the cells' texts are released, the
  // blocks kept.
  void clear();
  // New row p is old row order[p]; `order` is a permutation of 0..size()-1.
  void permute(const std::vector<int>& order);

 private:
  void addBlock();

  static constexpr size_t kBlockRows = 256;  // 64 KiB, below the size malloc maps on its own
  std::vector<std::unique_ptr<ClientRow[]>> blocks_;
  size_t size_ = 0;
  size_t staged_ = 0;  // rows after the last one, see appendStaged()
};

}  // namespace tl
