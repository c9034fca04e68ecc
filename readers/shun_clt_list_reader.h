#pragma once
#include <string>

#include "readers/reader_context.h"

namespace tl {

// The 顺无盘 client list (UTF-8, computer name, IP and MAC only).
void readShunCltList(ReaderContext& context, const std::string& path);

}  // namespace tl
