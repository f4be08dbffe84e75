// The state the window and a job share: the controls and the four values that live as
// long as the program.
#pragma once

#include <set>
#include <string>

#include "app/controls.h"
#include "app/failure_log.h"
#include "dictionary/ini_file.h"
#include "text/text.h"

namespace vestrel {

// What a front end may want to hear of while a job runs. Called on the job's thread.
class JobObserver {
 public:
  JobObserver() = default;
  JobObserver(const JobObserver&) = delete;
  JobObserver& operator=(const JobObserver&) = delete;
  virtual ~JobObserver() = default;
  // A material file got (or, in a dry run, would get) a new name.
  virtual void MaterialRenamed(const Text& /*path*/, const Text& /*oldName*/,
                               const Text& /*newName*/) {}
  // A folder was (or would be) moved.
  virtual void FolderRenamed(const Text& /*oldPath*/, const Text& /*newPath*/) {}
};

struct AppState {
  explicit AppState(Controls& controls) : controls(controls) {}

  Controls& controls;
  // dic.ini in the program's folder, as found at start-up.
  Text startupDictionaryPath;
  // Joins and splits bilingual names.
  Text bilingualSeparator = " - ";
  FailureLog failureLog;
  // The material files of the current job, in the order they were found.
  TextArray materialList;

  // Parsed dictionaries, checked against their files on every lookup.
  IniCache dictionaries;
  // Names GBK cannot hold that the current job has reported, so each is reported once.
  std::set<std::string> reportedUnsupportedNames;
  // A dry run plans every change and makes none.
  bool dryRun = false;
  JobObserver* observer = nullptr;
};

// Adds the line for an entry whose name GBK cannot hold, once per job.
void ReportUnsupportedName(AppState& app, const Text& markedPath);

}  // namespace vestrel
