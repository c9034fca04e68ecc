#include "import/target_database.h"

#include "data/text/gbk_text.h"
#include "platform/file_problem.h"
#include "platform/file_system.h"

namespace tl {
namespace {

constexpr const char* kServerExecutable = "YCTLBarserver.exe";

// Up to and including the last separator.
std::string directoryPart(const std::string& path) {
  size_t last = text::findLastChar(path, platform::pathSeparator());
  return last == text::npos ? std::string() : path.substr(0, last + 1);
}

}  // namespace

std::string serverDirectory(platform::Processes& processes) {
  // Process id 0 (not running) makes this the tool's own executable, so a
  // tool placed in the installation directory finds the database anyway.
  return directoryPart(processes.executablePath(processes.findProcess(kServerExecutable)));
}

TargetOpen openTargetDatabase(ImportContext& context, const std::string& path) {
  if (!context.connection.open(path)) {
    std::string problem = platform::fileReadProblem(path);
    context.ui.failureCause(path, problem.empty() ? context.connection.lastError() : problem);
    context.grid.setStatus(kTypeField, "数据库打开失败");
    return TargetOpen::OpenFailed;
  }
  return TargetOpen::Opened;
}

std::optional<std::string> chooseTargetDatabase(ImportContext& context) {
  const char separator = platform::pathSeparator();
  const std::string candidate = serverDirectory(context.processes) + "data" + separator + "data.db";
  if (platform::fileExists(candidate) &&
      context.ui.showMessage("已找到数据库 " + candidate + " 是否直接使用", "提示", MessageIcon::Question,
                             MessageButtons::OkCancel) == MessageAnswer::Ok)
    return candidate;
  OpenFileRequest request{"选择汀澜数据库文件", platform::programDirectory(), "汀澜数据库文件(*.db)|*.db"};
  return context.ui.chooseFileToOpen(request);
}

TargetOpen locateAndOpenTargetDatabase(ImportContext& context) {
  std::optional<std::string> chosen = chooseTargetDatabase(context);
  if (!chosen) return TargetOpen::NotChosen;
  return openTargetDatabase(context, *chosen);
}

}  // namespace tl
