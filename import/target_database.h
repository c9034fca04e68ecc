#pragma once
// Finding the 汀澜 client database: data\data.db beside the running server's
// executable (or beside the tool when the server is not running), offered to
// the operator, else chosen in a file dialog; then opened on the shared
// connection.
#include <optional>
#include <string>

#include "import/import_context.h"

namespace tl {

enum class TargetOpen {
  Opened,      // the shared connection is open on the target
  NotChosen,   // the operator cancelled the file dialog; nothing else happened
  OpenFailed,  // not a database, or missing: the type field reads "数据库打开失败"
};

// The directory of the running server's executable, ending in the path
// separator; the tool's own directory when the server is not running; the
// empty text when no path can be had.
std::string serverDirectory(platform::Processes& processes);

TargetOpen locateAndOpenTargetDatabase(ImportContext& context);

// The path the operator takes (the one found beside the server, or one
// chosen in the file dialog); nullopt when the dialog was cancelled.
std::optional<std::string> chooseTargetDatabase(ImportContext& context);

// Opens the given file as the target, with no prompt and no dialog.
TargetOpen openTargetDatabase(ImportContext& context, const std::string& path);

}  // namespace tl
