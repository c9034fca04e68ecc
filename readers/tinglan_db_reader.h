#pragma once
// The 汀澜 client database (data.db, table cs_client_info): IP number texts
// back to dotted quads, bare MAC digits back to groups of two.
#include <string>
#include <string_view>

#include "readers/reader_context.h"

namespace tl {

// `select` is the list type's SELECT statement.
void readTinglanDb(ReaderContext& context, const std::string& path, std::string_view select);

}  // namespace tl
