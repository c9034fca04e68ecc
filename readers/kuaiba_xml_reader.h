#pragma once
#include <string>

#include "readers/reader_context.h"

namespace tl {

// 快吧无盘 client list: the clients are the children of the root's first
// child, with the attributes cName, MAC and clientIP.
void readKuaibaXml(ReaderContext& context, const std::string& path);

}  // namespace tl
