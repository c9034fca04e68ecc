#pragma once
// 方格子: the SQLite table comp; the DNS servers come from the local machine.
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readFanggeziDb(ReaderContext& context, const std::string& path);

}  // namespace tl
