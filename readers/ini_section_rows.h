#pragma once
// The 网众, 易乐游 Client.list and 锐起 WKS.INI lists keep one section per
// client: the grid gets one row per section in file order, numbered from 1,
// and the count field counts the sections.
#include <functional>
#include <string>

#include "readers/reader_context.h"

namespace tl {

// Empties the grid, sets the count, and calls fillRow for each section with
// the row appended for it (its number already set).
void readIniSectionRows(ReaderContext& context, const std::string& path,
                        const std::function<void(const std::string& section, int row)>& fillRow);

}  // namespace tl
