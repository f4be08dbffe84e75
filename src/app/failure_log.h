// The failure log of a job: one line per item that a pass could not translate.
#pragma once

#include <mutex>

#include "app/controls.h"
#include "text/text.h"

namespace vestrel {

// The lines gathered so far, each ending in CR LF. The worker appends while the GUI
// thread may save, so every access takes the lock and a save always sees whole lines.
class FailureLog {
 public:
  void Append(const Text& line);
  void Clear();
  [[nodiscard]] Text Lines() const;
  [[nodiscard]] bool empty() const;

 private:
  mutable std::mutex mutex_;
  Text lines_;
};

// Appends the line and CR LF.
void AppendFailure(FailureLog& log, const Text& line);

// Saves a non-empty log whole, replacing `log.txt` in `programFolder`, and says so in the
// status line: "保存成功！" when it was written, "保存失败！" when it could not be.
void SaveFailureLog(const FailureLog& log, const Text& programFolder, Controls& controls);

}  // namespace vestrel
