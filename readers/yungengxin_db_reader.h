#pragma once
// 云更新: the SQLite table tPcBaseInfo, addresses stored as integers.
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readYungengxinDb(ReaderContext& context, const std::string& path);

}  // namespace tl
