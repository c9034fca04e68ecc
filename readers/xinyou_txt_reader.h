#pragma once
// The 信佑 text export: a header line and one client per line, fields separated by ",".
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readXinyouTxt(ReaderContext& context, const std::string& path);

}  // namespace tl
