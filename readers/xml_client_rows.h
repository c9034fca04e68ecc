#pragma once
// The 方格子 and 网维大师 XML lists keep their clients as the children of the
// root element: the grid gets one row per child, numbered from 1, and the
// count field counts the children.
#include <functional>
#include <string>

#include "readers/reader_context.h"

namespace tl {

// Empties the grid and loads the list file into the shared XML document; a
// file that cannot be read loads as empty. Every XML list reader starts so.
void startXmlList(ReaderContext& context, const std::string& path);

// startXmlList, then sets the count and calls fillRow for each client with
// its element (a handle into the shared document) and the row appended for it.
void readXmlClientRows(ReaderContext& context, const std::string& path,
                       const std::function<void(int element, int row)>& fillRow);

}  // namespace tl
