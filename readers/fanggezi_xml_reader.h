#pragma once
#include <string>

#include "readers/reader_context.h"

namespace tl {

// 方格子 client menu (nmenu.xml): every child of the root is a client with
// the attributes Name, MAC (":" written as "-"), IP, Netmask and Gateway; the
// DNS cells come from the local machine. The count (children of the root) is
// written before the rows.
void readFanggeziXml(ReaderContext& context, const std::string& path);

}  // namespace tl
