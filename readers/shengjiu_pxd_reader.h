#pragma once
#include <string>

#include "readers/reader_context.h"

namespace tl {

// 盛九PXD无盘 client list: the clients are the children of the root's first
// child, with the attributes ComName, MAC and WksIP.
void readShengjiuPxd(ReaderContext& context, const std::string& path);

}  // namespace tl
