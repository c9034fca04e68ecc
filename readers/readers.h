#pragma once
// Every list reader, one per list type. Each reads the file at `path` into
// the client grid.
#include "readers/reader_context.h"

namespace tl {

}  // namespace tl
