#pragma once
// 易游有盘: the SQLite table client, sorted by computername, texts as stored bytes.
#include <string>
#include <string_view>

#include "readers/reader_context.h"

namespace tl {

// `select` is the list type's SELECT statement.
void readYiyouDiskDb(ReaderContext& context, const std::string& path, std::string_view select);

}  // namespace tl
