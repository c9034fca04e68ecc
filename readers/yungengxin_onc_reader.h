#pragma once
// The 云更新 ONC export: one client per block of three lines ([MAC], IPAddr=, Name=).
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readYungengxinOnc(ReaderContext& context, const std::string& path);

}  // namespace tl
