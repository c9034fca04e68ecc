#pragma once
// The 斯普林 MZD.INI: client sections (with ComName) among other sections.
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readMzdIni(ReaderContext& context, const std::string& path);

}  // namespace tl
