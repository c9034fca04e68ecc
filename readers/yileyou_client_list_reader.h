#pragma once
// The 易乐游 Client.list: an INI file with one section per client, named by its MAC.
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readYileyouClientList(ReaderContext& context, const std::string& path);

}  // namespace tl
