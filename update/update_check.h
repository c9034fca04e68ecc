#pragma once
// The update check at start-up: asks the update server for a newer version,
// asks the operator, and replaces the program file with the new one once it
// has proved to be a whole program, signed with the release key, and newer
// than the running one.
#include <chrono>
#include <string>

#include "core/operator_ui.h"
#include "platform/update_environment.h"
#include "update/release_signature.h"

namespace tl::update {

using platform::Deadline;
using platform::UpdateEnvironment;

// The check runs before the main window shows: its two requests together
// give up after this long, so a silent or dripping server cannot hold the
// window back.
constexpr std::chrono::seconds kCheckTimeLimit{15};
// After the operator's OK: the program and its signature.
constexpr std::chrono::seconds kDownloadTimeLimit{60};

// What the build configures: the server's host[:port] and the release key
// (128 hex digits). Without either, no update is ever offered.
struct UpdateSettings {
  std::string host;
  std::string publicKey;
};

// "1.2.4.0" → 1240: dots removed, then the leading digits as a number
// (leading blanks and a sign allowed, anything after the digits ends it).
long long versionNumber(const std::string& versionText);

// True when the bytes are a whole Windows executable: "MZ", the PE header
// that e_lfanew points at, its section table, and the raw data of every
// section lie inside them. A download cut short after the headers fails.
bool isCompleteWindowsExecutable(const std::string& bytes);

enum class UpdateOutcome {
  NotOffered,  // no version, no server, no key, or nothing newer
  Declined,    // the operator pressed Cancel
  Failed,      // the download failed or was refused: nothing changed
  Restarting,  // the new program runs; this one must end now
};

// Runs the check against http://host/tlup/... .
UpdateOutcome runUpdateCheck(UpdateEnvironment& environment, SignatureVerifier& verifier, OperatorUi& ui,
                             const UpdateSettings& settings);

// The left-over of an earlier update: the program path with ".old".
std::string leftOverPath(const std::string& programPath);

}  // namespace tl::update
