#include "core/list_types.h"

namespace tl {

const std::array<ListType, kListTypeCount>& listTypes() {
  static const std::array<ListType, kListTypeCount> table = {{
      {1, ProbePhase::Sql, "汀澜无盘", "列表类型: 汀澜无盘"},
      {2, ProbePhase::Sql, "易乐游无盘", "列表类型: 易乐游无盘"},
      {3, ProbePhase::Sql, "易游有盘", "列表类型: 易游有盘"},
      {4, ProbePhase::Sql, "易游无盘", "列表类型: 易游无盘"},
      {5, ProbePhase::Sql, "云更新", "列表类型: 云更新"},
      {6, ProbePhase::Sql, "方格子", "列表类型: 方格子"},
      {7, ProbePhase::Sql, "网维大师9系", "列表类型: 网维大师9系"},
      {8, ProbePhase::Text, "网维大师", "列表类型: 网维大师"},
      {9, ProbePhase::Text, "方格子XML", "列表类型: 方格子XML"},
      {10, ProbePhase::Text, "方格子TXT", "列表类型: 方格子TXT"},
      {11, ProbePhase::Text, "云更新ONC", "列表类型: 云更新ONC"},
      {12, ProbePhase::Text, "信佑TXT", "列表类型: 信佑TXT"},
      {13, ProbePhase::Text, "信佑TXT列表", "列表类型: 信佑TXT列表"},
      {14, ProbePhase::Text, "顺无盘CLT列表", "列表类型: 顺无盘CLT列表"},
      {15, ProbePhase::Text, "信佑JSON列表", "列表类型: 信佑JSON列表"},
      {16, ProbePhase::Text, "快吧", "列表类型: 快吧无盘"},
      {17, ProbePhase::Text, "PXD", "列表类型: 盛九PXD无盘"},
      {18, ProbePhase::Ini, "网众", "列表类型: 网众"},
      {19, ProbePhase::Ini, "易乐游Client.list", "列表类型: 易乐游Client.list"},
      {20, ProbePhase::Ini, "MZD", "列表类型: 斯普林MZD.INI"},
      {21, ProbePhase::Ini, "锐起无盘", "列表类型: 锐起无盘WKS.INI"},
  }};
  return table;
}

}  // namespace tl
