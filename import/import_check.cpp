#include "import/import_check.h"

#include <cstdint>
#include <map>

namespace tl {
namespace {

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

std::string upperAscii(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = upperAscii(c);
  return out;
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// "序号 3 PC03": the row's running number as shown in column 0, and its name.
std::string rowLabel(const ClientGrid& grid, int row) {
  std::string label = "序号 " + grid.cell(row, kColNumber);
  const std::string& name = grid.cell(row, kColName);
  if (!name.empty()) label += " " + name;
  return label;
}

std::string rowLabels(const ClientGrid& grid, const std::vector<int>& rows) {
  std::string out;
  for (int r : rows) out += (out.empty() ? "" : ", ") + rowLabel(grid, r);
  return out;
}

class ProblemList {
 public:
  explicit ProblemList(const ClientGrid& grid) : grid_(grid) {}

  // what: the problem and its value ("MAC地址重复 00-11-22-33-44-55").
  void add(const char* kind, const std::string& what, std::vector<int> rows) {
    std::string text = what + ": " + rowLabels(grid_, rows);
    problems_.push_back({kind, std::move(rows), std::move(text)});
  }
  std::vector<ImportProblem> take() { return std::move(problems_); }

 private:
  const ClientGrid& grid_;
  std::vector<ImportProblem> problems_;
};

// Rows that share one key, in the order their first row stands in the grid.
void addDuplicates(ProblemList& problems, const char* kind, const char* title, const ClientGrid& grid, int column,
                   const std::vector<std::string>& keys) {
  std::map<std::string, std::vector<int>> byKey;
  std::vector<std::string> order;
  for (int r = 0; r < int(keys.size()); ++r) {
    if (keys[size_t(r)].empty()) continue;
    std::vector<int>& rows = byKey[keys[size_t(r)]];
    if (rows.empty()) order.push_back(keys[size_t(r)]);
    rows.push_back(r);
  }
  for (const std::string& key : order) {
    const std::vector<int>& rows = byKey[key];
    if (rows.size() > 1) problems.add(kind, std::string(title) + " " + grid.cell(rows.front(), column), rows);
  }
}

bool contiguousMask(uint32_t mask) {
  uint32_t inverted = ~mask;  // ones then zeros: the inverse is 2^k - 1
  return (inverted & (inverted + 1)) == 0;
}

}  // namespace

std::string normalizedMac(const std::string& mac) {
  std::string digits;
  for (char c : mac) {
    if (c == '-' || c == ':' || c == '.') continue;
    if (!isHexDigit(c)) return {};
    digits += upperAscii(c);
  }
  return digits.size() == 12 ? digits : std::string();
}

bool parseDottedQuad(const std::string& text, uint32_t& address) {
  uint32_t result = 0;
  int pieces = 0;
  size_t i = 0;
  while (true) {
    size_t start = i;
    uint32_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 3) value = value * 10 + uint32_t(text[i++] - '0');
    if (i == start || value > 255) return false;
    result = (result << 8) | value;
    if (++pieces == 4) break;
    if (i >= text.size() || text[i] != '.') return false;
    ++i;
  }
  if (i != text.size()) return false;
  address = result;
  return true;
}

std::vector<ImportProblem> checkClientGrid(const ClientGrid& grid) {
  ProblemList problems(grid);
  const int count = grid.rowCount();
  const size_t rows = static_cast<size_t>(count);
  std::vector<std::string> macs(rows), ips(rows), names(rows);
  for (int r = 0; r < count; ++r) {
    macs[size_t(r)] = normalizedMac(grid.cell(r, kColMac));
    uint32_t ip = 0;
    if (parseDottedQuad(grid.cell(r, kColIp), ip)) ips[size_t(r)] = std::to_string(ip);
    names[size_t(r)] = upperAscii(grid.cell(r, kColName));
  }
  addDuplicates(problems, "duplicate-mac", "MAC地址重复", grid, kColMac, macs);
  addDuplicates(problems, "duplicate-ip", "IP地址重复", grid, kColIp, ips);
  addDuplicates(problems, "duplicate-name", "计算机名重复", grid, kColName, names);

  for (int r = 0; r < count; ++r) {
    if (grid.cell(r, kColName).empty()) problems.add("empty-name", "计算机名为空", {r});
    if (macs[size_t(r)].empty()) problems.add("bad-mac", "MAC地址无效 " + grid.cell(r, kColMac), {r});
    uint32_t ip = 0, mask = 0, gateway = 0, unused = 0;
    const bool ipValid = parseDottedQuad(grid.cell(r, kColIp), ip);
    const bool maskValid = parseDottedQuad(grid.cell(r, kColMask), mask);
    const bool gatewayValid = parseDottedQuad(grid.cell(r, kColGateway), gateway);
    if (!ipValid) problems.add("bad-ip", "IP地址无效 " + grid.cell(r, kColIp), {r});
    if (!maskValid) problems.add("bad-mask", "子网掩码无效 " + grid.cell(r, kColMask), {r});
    if (!gatewayValid) problems.add("bad-gateway", "网关无效 " + grid.cell(r, kColGateway), {r});
    for (int column : {kColDns1, kColDns2}) {
      const std::string& dns = grid.cell(r, column);
      if (!dns.empty() && !parseDottedQuad(dns, unused))
        problems.add("bad-dns", (column == kColDns1 ? "DNS1无效 " : "DNS2无效 ") + dns, {r});
    }
    if (maskValid && !contiguousMask(mask)) problems.add("noncontiguous-mask", "子网掩码不连续 " + grid.cell(r, kColMask), {r});
    if (ipValid && maskValid && gatewayValid && (ip & mask) != (gateway & mask))
      problems.add("gateway-outside-subnet",
                   "网关不在本网段 " + grid.cell(r, kColIp) + " " + grid.cell(r, kColGateway), {r});
  }
  return problems.take();
}

std::string importCheckQuestion(const std::vector<ImportProblem>& problems, size_t shown) {
  std::string text = "客户机列表有 " + std::to_string(problems.size()) + " 处问题:\r\n";
  for (size_t i = 0; i < problems.size() && i < shown; ++i) text += problems[i].text + "\r\n";
  if (problems.size() > shown) text += "另有 " + std::to_string(problems.size() - shown) + " 处问题\r\n";
  return text + "是否仍然导入？";
}

}  // namespace tl
