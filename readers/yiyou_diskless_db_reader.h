#pragma once
// 易游无盘: the SQLite table client, sorted by name, texts as stored bytes.
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readYiyouDisklessDb(ReaderContext& context, const std::string& path);

}  // namespace tl
