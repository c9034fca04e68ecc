#include "import/import_check.h"

#include <cstdint>
#include <initializer_list>

namespace tl {
namespace {

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// "序号 3 PC03": the row's running number as shown in column 0, and its name.
void appendRowLabel(std::string& out, const ClientGrid& grid, int row) {
  out += "序号 ";
  out += grid.cell(row, kColNumber);
  const std::string& name = grid.cell(row, kColName);
  if (!name.empty()) {
    out += ' ';
    out += name;
  }
}

class ProblemList {
 public:
  explicit ProblemList(const ClientGrid& grid) : grid_(grid) {}

  // what: the problem and its value ("MAC地址重复 00-11-22-33-44-55").
  void add(const char* kind, std::string what, std::vector<int> rows) {
    what += ": ";
    for (size_t i = 0; i < rows.size(); ++i) {
      if (i > 0) what += ", ";
      appendRowLabel(what, grid_, rows[i]);
    }
    problems_.push_back({kind, std::move(rows), std::move(what)});
  }
  // A problem of one row with its cells: `title` and the texts, one space between.
  void add(const char* kind, const char* title, std::initializer_list<const std::string*> cells, int row) {
    std::string what;
    size_t size = std::char_traits<char>::length(title) + 40;  // room for the row's label too
    for (const std::string* cell : cells) size += 1 + cell->size();
    what.reserve(size);
    what += title;
    for (const std::string* cell : cells) {
      what += ' ';
      what += *cell;
    }
    add(kind, std::move(what), {row});
  }
  std::vector<ImportProblem> take() { return std::move(problems_); }

 private:
  const ClientGrid& grid_;
  std::vector<ImportProblem> problems_;
};

// Groups the rows that have a key by equal keys, in one pass through a hash
// table: each group holds its rows in grid order, and the groups stand in
// the order of their first rows. `hash(r)` and `equal(a, b)` see only rows
// with a key.
template <typename HasKey, typename Hash, typename Equal>
std::vector<std::vector<int>> duplicateGroups(int count, HasKey hasKey, Hash hash, Equal equal) {
  size_t slots = 16;
  while (slots < size_t(count) * 2) slots *= 2;
  std::vector<int> first(slots, -1);                // the first row of a key, by hash slot
  std::vector<int> next(size_t(count), -1), last(size_t(count), -1);  // the rows of a group, linked
  bool any = false;
  for (int r = 0; r < count; ++r) {
    if (!hasKey(r)) continue;
    size_t slot = size_t(hash(r)) & (slots - 1);
    while (first[slot] >= 0 && !equal(first[slot], r)) slot = (slot + 1) & (slots - 1);
    int& head = first[slot];
    if (head < 0) {
      head = r;
      last[size_t(r)] = r;
    } else {
      next[size_t(last[size_t(head)])] = r;
      last[size_t(head)] = r;
      any = true;
    }
  }
  std::vector<std::vector<int>> groups;
  if (!any) return groups;
  // A row that starts a group of two or more is one whose last row is another.
  for (int r = 0; r < count; ++r) {
    if (last[size_t(r)] < 0 || last[size_t(r)] == r || next[size_t(r)] < 0) continue;
    std::vector<int>& rows = groups.emplace_back();
    for (int row = r; row >= 0; row = next[size_t(row)]) rows.push_back(row);
  }
  return groups;
}

void addDuplicates(ProblemList& problems, const char* kind, const char* title, const ClientGrid& grid, int column,
                   std::vector<std::vector<int>> groups) {
  for (std::vector<int>& rows : groups) {
    std::string what = title;
    what += ' ';
    what += grid.cell(rows.front(), column);
    problems.add(kind, std::move(what), std::move(rows));
  }
}

uint64_t mix(uint64_t value) {
  value ^= value >> 33;
  value *= 0xff51afd7ed558ccdull;
  return value ^ (value >> 33);
}

bool contiguousMask(uint32_t mask) {
  uint32_t inverted = ~mask;  // ones then zeros: the inverse is 2^k - 1
  return (inverted & (inverted + 1)) == 0;
}

}  // namespace

bool macNumber(const std::string& mac, uint64_t& number) {
  uint64_t value = 0;
  int digits = 0;
  for (char c : mac) {
    if (c == '-' || c == ':' || c == '.') continue;
    if (!isHexDigit(c) || ++digits > 12) return false;
    value = value << 4 | uint64_t(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
  }
  number = value;
  return digits == 12;
}

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
  // The keys the duplicates are found by: the MAC's 48 bits, the IP
  // address, the name with ASCII letters in upper case (compared in place).
  constexpr uint64_t kNoKey = ~uint64_t(0);
  std::vector<uint64_t> macs(rows, kNoKey), ips(rows, kNoKey);
  std::vector<char> ipValid(rows), maskValid(rows), gatewayValid(rows);
  std::vector<uint32_t> ip(rows), mask(rows), gateway(rows);
  for (size_t r = 0; r < rows; ++r) {
    const ClientRow& row = grid.row(int(r));
    uint64_t mac = 0;
    if (macNumber(row[kColMac], mac)) macs[r] = mac;
    ipValid[r] = parseDottedQuad(row[kColIp], ip[r]);
    if (ipValid[r]) ips[r] = ip[r];
    maskValid[r] = parseDottedQuad(row[kColMask], mask[r]);
    gatewayValid[r] = parseDottedQuad(row[kColGateway], gateway[r]);
  }
  auto numberGroups = [count](const std::vector<uint64_t>& keys) {
    return duplicateGroups(
        count, [&](int r) { return keys[size_t(r)] != kNoKey; }, [&](int r) { return mix(keys[size_t(r)]); },
        [&](int a, int b) { return keys[size_t(a)] == keys[size_t(b)]; });
  };
  auto name = [&grid](int r) -> const std::string& { return grid.row(r)[kColName]; };
  auto nameHash = [&](int r) {
    uint64_t h = 1469598103934665603ull;  // FNV-1a over the upper-case bytes
    for (char c : name(r)) h = (h ^ static_cast<unsigned char>(upperAscii(c))) * 1099511628211ull;
    return h;
  };
  auto sameName = [&](int a, int b) {
    const std::string &x = name(a), &y = name(b);
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i)
      if (upperAscii(x[i]) != upperAscii(y[i])) return false;
    return true;
  };
  addDuplicates(problems, "duplicate-mac", "MAC地址重复", grid, kColMac, numberGroups(macs));
  addDuplicates(problems, "duplicate-ip", "IP地址重复", grid, kColIp, numberGroups(ips));
  addDuplicates(problems, "duplicate-name", "计算机名重复", grid, kColName,
                duplicateGroups(count, [&](int r) { return !name(r).empty(); }, nameHash, sameName));

  for (size_t r = 0; r < rows; ++r) {
    const ClientRow& row = grid.row(int(r));
    const int at = int(r);
    if (row[kColName].empty()) problems.add("empty-name", "计算机名为空", {}, at);
    if (macs[r] == kNoKey) problems.add("bad-mac", "MAC地址无效", {&row[kColMac]}, at);
    if (!ipValid[r]) problems.add("bad-ip", "IP地址无效", {&row[kColIp]}, at);
    if (!maskValid[r]) problems.add("bad-mask", "子网掩码无效", {&row[kColMask]}, at);
    if (!gatewayValid[r]) problems.add("bad-gateway", "网关无效", {&row[kColGateway]}, at);
    for (int column : {kColDns1, kColDns2}) {
      const std::string& dns = row[size_t(column)];
      uint32_t unused = 0;
      if (!dns.empty() && !parseDottedQuad(dns, unused))
        problems.add("bad-dns", column == kColDns1 ? "DNS1无效" : "DNS2无效", {&dns}, at);
    }
    if (maskValid[r] && !contiguousMask(mask[r])) problems.add("noncontiguous-mask", "子网掩码不连续", {&row[kColMask]}, at);
    if (ipValid[r] && maskValid[r] && gatewayValid[r] && (ip[r] & mask[r]) != (gateway[r] & mask[r]))
      problems.add("gateway-outside-subnet", "网关不在本网段", {&row[kColIp], &row[kColGateway]}, at);
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
