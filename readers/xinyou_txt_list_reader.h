#pragma once
#include <string>

#include "readers/reader_context.h"

namespace tl {

// The 信佑TXT列表 export of the 信佑 tools (GBK, with mask, gateway and DNS per client).
void readXinyouTxtList(ReaderContext& context, const std::string& path);

}  // namespace tl
