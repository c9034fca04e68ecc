#pragma once
// 网维大师9系: the SQLite table tbl_Computer, texts as stored bytes.
#include <string>

#include "readers/reader_context.h"

namespace tl {

void readWangweiDashi9Db(ReaderContext& context, const std::string& path);

}  // namespace tl
