#pragma once
// 方格子: the SQLite table comp; the DNS servers come from the local machine.
#include <string>
#include <string_view>

#include "readers/reader_context.h"

namespace tl {

// `select` is the list type's SELECT statement.
void readFanggeziDb(ReaderContext& context, const std::string& path, std::string_view select);

}  // namespace tl
