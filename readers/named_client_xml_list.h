#pragma once
// The 快吧 and 盛九PXD lists share one shape: the clients are the children of
// the root's first child, each with a name, a MAC and an IP attribute; mask,
// gateway and DNS come from the local machine.
#include <string>
#include <string_view>

#include "readers/reader_context.h"

namespace tl {

struct NamedClientAttributes {
  std::string_view name;
  std::string_view mac;
  std::string_view ip;
};

// Clients without a name are skipped; the rows are numbered by the clients
// taken and the count is written after them.
void readNamedClientXmlList(ReaderContext& context, const std::string& path,
                            const NamedClientAttributes& attributes);

}  // namespace tl
