#include "cli/export_guard.h"

#include "platform/file_head.h"
#include "platform/file_identity.h"

namespace tl::cli {
namespace {

// Every SQLite database file starts with these 16 bytes.
constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};

}  // namespace

std::string exportOutputRefusal(const std::string& outputPath, const std::string& listFile) {
  if (platform::sameFile(outputPath, listFile))
    return "导出文件 " + outputPath + " 就是正在读取的列表文件: 未导出 (--force 仍然覆盖)";
  if (platform::fileHead(outputPath, kSqliteHeader.size()) == kSqliteHeader)
    return "导出文件 " + outputPath + " 是已有的 SQLite 数据库: 未导出 (--force 仍然覆盖)";
  return {};
}

}  // namespace tl::cli
