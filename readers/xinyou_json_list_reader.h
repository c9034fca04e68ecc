#pragma once
#include <string>

#include "readers/reader_context.h"

namespace tl {

// The 信佑JSON列表 export of the 信佑 tools (GBK, name, IP and MAC only).
void readXinyouJsonList(ReaderContext& context, const std::string& path);

}  // namespace tl
