#pragma once
// The 锐起无盘 WKS.INI: one section per client, named by its MAC without separators.
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readRuiqiWksIni(ReaderContext& context, const std::string& path);

}  // namespace tl
