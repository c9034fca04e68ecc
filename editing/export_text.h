#pragma once
// The export's text: one line per chosen row, made from the operator's
// template.
#include <string>
#include <vector>

#include "core/client_grid.h"

namespace tl {

// The template with its variable words filled in, in this order: "name" (the
// computer name), then "ip", then "mac". Each word is replaced only when the
// template contains it in any case, and then only where it stands in lower
// case, in the line as the earlier steps left it, so a filled-in name that
// holds "ip" or "mac" is changed again.
std::string exportLine(const std::string& lineTemplate, const std::string& name, const std::string& ip,
                       const std::string& mac);

// The lines of `rows`, in the given order, joined by CR LF with no break
// after the last. Empty lines before the first non-empty one are dropped.
std::string buildExportText(const ClientGrid& grid, const std::vector<int>& rows, const std::string& lineTemplate);

}  // namespace tl
