#pragma once
// 云更新: the SQLite table tPcBaseInfo, addresses stored as integers.
#include <string>
#include <string_view>

#include "readers/reader_context.h"

namespace tl {

// `select` is the list type's SELECT statement.
void readYungengxinDb(ReaderContext& context, const std::string& path, std::string_view select);

}  // namespace tl
