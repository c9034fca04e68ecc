#pragma once
#include <string>

#include "readers/reader_context.h"

namespace tl {

// 网维大师 XML list: every child of the root is a client whose first seven
// child elements hold, by position, the name, the MAC (bare hex digits), and
// the IP, mask, gateway, DNS1 and DNS2 as decimal integers (first octet in
// the most significant byte). The count is written before the rows.
void readWangweiDashiXml(ReaderContext& context, const std::string& path);

}  // namespace tl
