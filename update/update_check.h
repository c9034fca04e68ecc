#pragma once
// The update check at start-up: asks the update server for a newer version,
// asks the operator, and replaces the program file with the new one.
#include <string>

#include "core/operator_ui.h"
#include "platform/update_environment.h"

namespace tl::update {

using platform::UpdateEnvironment;

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
