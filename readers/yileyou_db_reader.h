#pragma once
// 易乐游无盘: the SQLite table workstation, texts stored as UTF-8.
#include <string>
#include <string_view>

#include "readers/reader_context.h"

namespace tl {

// `select` is the list type's SELECT statement.
void readYileyouDb(ReaderContext& context, const std::string& path, std::string_view select);

}  // namespace tl
