#pragma once
// The update check at start-up: asks the update server for a newer version,
// asks the operator, and replaces the program file with the new one.
#include <string>

#include "core/operator_ui.h"

namespace tl::update {

// What the check needs of the platform; a fake stands in for it in the tests.
class UpdateEnvironment {
 public:
  virtual ~UpdateEnvironment() = default;
  virtual std::string programPath() = 0;
  // The file version from the version resource ("1.2.4.0"), or "".
  virtual std::string fileVersion(const std::string& path) = 0;
  // One GET; the body up to its first zero byte, "" on any failure.
  virtual std::string httpGet(const std::string& url) = 0;
  // Downloads the URL into a new file; false when it did not arrive whole.
  virtual bool download(const std::string& url, const std::string& targetPath) = 0;
  // The whole file, "" when unreadable.
  virtual std::string readFile(const std::string& path) = 0;
  virtual bool moveFile(const std::string& from, const std::string& to) = 0;
  virtual bool deleteFile(const std::string& path) = 0;
  // Starts the program and waits (at most a second) until it is idle.
  virtual bool startProgram(const std::string& path) = 0;
};

// "1.2.4.0" → 1240: dots removed, then the leading digits as a number
// (leading blanks and a sign allowed, anything after the digits ends it).
long long versionNumber(const std::string& versionText);

// True when the bytes are a whole Windows executable: "MZ", the PE header
// that e_lfanew points at, its section table, and the raw data of every
// section lie inside them. A download cut short after the headers fails.
bool isCompleteWindowsExecutable(const std::string& bytes);

enum class UpdateOutcome {
  NotOffered,  // no version, no server, or nothing newer
  Declined,    // the operator pressed Cancel
  Failed,      // the download failed or was not an executable: nothing changed
  Restarting,  // the new program runs; this one must end now
};

// Runs the check against http://host/tlup/... . An empty host does nothing.
UpdateOutcome runUpdateCheck(UpdateEnvironment& environment, OperatorUi& ui, const std::string& host);

// The left-over of an earlier update: the program path with ".old".
std::string leftOverPath(const std::string& programPath);

}  // namespace tl::update
