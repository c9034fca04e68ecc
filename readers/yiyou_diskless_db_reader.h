#pragma once
// 易游无盘: the SQLite table client, sorted by name, texts as stored bytes.
#include <string>
#include <string_view>

#include "readers/reader_context.h"

namespace tl {

// `select` is the list type's SELECT statement.
void readYiyouDisklessDb(ReaderContext& context, const std::string& path, std::string_view select);

}  // namespace tl
