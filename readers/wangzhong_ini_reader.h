#pragma once
// The 网众 client list: an INI file with one section per client, named by its computer name.
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readWangzhongList(ReaderContext& context, const std::string& path);

}  // namespace tl
