#include "app/failure_log.h"

#include "app/status_texts.h"
#include "platform/files.h"
#include "text/paths.h"

namespace vestrel {

void FailureLog::Append(const Text& line) {
  std::lock_guard lock(mutex_);
  lines_ += line;
  lines_ += "\r\n";
}

void FailureLog::Clear() {
  std::lock_guard lock(mutex_);
  lines_ = Text();
}

Text FailureLog::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

bool FailureLog::empty() const {
  std::lock_guard lock(mutex_);
  return lines_.empty();
}

void AppendFailure(FailureLog& log, const Text& line) {
  log.Append(line);
}

void SaveFailureLog(const FailureLog& log, const Text& programFolder, Controls& controls) {
  Text lines = log.Lines();
  if (lines.empty()) return;
  bool saved = ReplaceWholeFile(WithTrailingSeparator(programFolder) + "log.txt", lines.view());
  controls.SetStatus(saved ? kStatusSaved : kStatusSaveFailed);
}

}  // namespace vestrel
