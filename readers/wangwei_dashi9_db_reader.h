#pragma once
// 网维大师9系: the SQLite table tbl_Computer, texts as stored bytes.
#include <string>
#include <string_view>

#include "readers/reader_context.h"

namespace tl {

// `select` is the list type's SELECT statement.
void readWangweiDashi9Db(ReaderContext& context, const std::string& path, std::string_view select);

}  // namespace tl
