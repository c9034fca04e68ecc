#pragma once
// 易乐游无盘: the SQLite table workstation, texts stored as UTF-8.
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readYileyouDb(ReaderContext& context, const std::string& path);

}  // namespace tl
