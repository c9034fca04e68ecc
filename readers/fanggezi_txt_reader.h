#pragma once
// The 方格子 text export: one client per line, fields separated by "|".
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readFanggeziTxt(ReaderContext& context, const std::string& path);

}  // namespace tl
