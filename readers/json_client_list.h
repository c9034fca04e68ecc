#pragma once
// The three JSON list formats share one shape: a top-level object whose
// array member holds one object per client with string members. The 信佑
// files are GBK, the 顺无盘 file UTF-8; only the 信佑TXT列表 carries mask,
// gateway and DNS, the others take the local machine's.
#include <string>
#include <string_view>

#include "readers/reader_context.h"

namespace tl {

struct JsonClientListFormat {
  std::string_view arrayMember;  // the member holding the clients
  std::string_view nameMember;   // the computer name in each client
  bool carriesNetwork;           // netMk, netGW, dns1, dns2 per client
  bool utf8File;
};

// Clears the grid, writes the count field with the array's length before
// the first row, then one row per element in array order. A missing file,
// a text that is not JSON or a missing array gives no rows and the count 0,
// without a message.
void readJsonClientList(ReaderContext& context, const std::string& path, const JsonClientListFormat& format);
// The same from the file's text in GBK, cut at its first NUL byte already.
void readJsonClientListText(ReaderContext& context, std::string_view gbkText, const JsonClientListFormat& format);

// ":" becomes "-" and the ASCII letters upper case: 00:1a:2b:3c:4d:5e gives
// 00-1A-2B-3C-4D-5E.
std::string jsonListMac(std::string_view mac);

}  // namespace tl
