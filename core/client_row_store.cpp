#include "core/client_row_store.h"

#include <utility>

namespace tl {
namespace {

// Empties a cell and gives back any storage of its own. A short text lives
// inside the string and is only cleared: swapping it with an empty string
// would copy the room of both.
void releaseText(std::string& cell) {
  if (cell.capacity() > std::string().capacity())
    std::string().swap(cell);
  else
    cell.clear();
}

}  // namespace

void ClientRowStore::addBlock() { blocks_.push_back(std::make_unique<ClientRow[]>(kBlockRows)); }

void ClientRowStore::clear() {
  dropStaged();
  for (size_t i = 0; i < size_; ++i)
    for (std::string& cell : (*this)[i]) releaseText(cell);
  size_ = 0;
}

void ClientRowStore::dropStaged() {
  for (size_t i = size_; i < size_ + staged_; ++i)
    for (std::string& cell : (*this)[i]) releaseText(cell);
  staged_ = 0;
}

// Each cycle of the permutation moves its rows along by one, through a
// single spare row: no second copy of the rows is made.
void ClientRowStore::permute(const std::vector<int>& order) {
  std::vector<bool> placed(size_, false);
  for (size_t start = 0; start < size_; ++start) {
    if (placed[start]) continue;
    ClientRow spare = std::move((*this)[start]);
    size_t to = start;
    while (true) {
      placed[to] = true;
      const auto from = size_t(order[to]);
      if (from == start) {
        (*this)[to] = std::move(spare);
        break;
      }
      (*this)[to] = std::move((*this)[from]);
      to = from;
    }
  }
}

}  // namespace tl
