#pragma once
// 易游有盘: the SQLite table client, sorted by computername, texts as stored bytes.
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readYiyouDiskDb(ReaderContext& context, const std::string& path);

}  // namespace tl
