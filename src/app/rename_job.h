// One run of the tool: the checks made when Start is pressed, and the job itself.
#pragma once

#include <stop_token>
#include <vector>

#include "app/app_state.h"

namespace vestrel {

// What the Start checks can find wrong with the two paths, in the order they are checked.
enum class StartProblem {
  kMaterialFolderEmpty,
  kMaterialFolderNotAFolder,  // missing, or a file
  kDictionaryMissing,
  kDictionaryNotIni,  // its extension is not ".ini", letter for letter
};

// Every check that fails for the trimmed texts of the two path boxes, in check order. The
// window stops at the first; the command line names them all.
std::vector<StartProblem> StartProblems(const Controls& controls);

// The checks of the Start button: true when both paths pass.
bool StartChecksPass(const Controls& controls);

// What a window does when Start is pressed, before it starts the job on its worker thread:
// with a path box that holds a text GBK cannot hold (`unholdableText`) or a failed check it
// shows "未知错误!" and says no; else it disables the job's controls when there is work to do
// (on the window's thread, so that a second press can never start a second job) and says yes.
bool ReadyToStart(Controls& controls, bool unholdableText);

// What a window does when the job has ended: whatever the job did, the window is never left
// locked.
void EnableJobControls(Controls& controls);

struct JobSummary {
  bool ran = false;  // false when neither kind of renaming was ticked
  bool stopped = false;
  int materialsWritten = 0;
  int foldersRenamed = 0;
};

// The job, on whatever thread the caller likes: saves the settings into the dictionary,
// disables the job's controls, finds the material files, renames the materials and the
// folders as ticked, shows "完成！" and enables the controls again. A stop request ends
// it after the item at hand; the status and the controls are still set at the end.
JobSummary RenameJob(AppState& app, const std::stop_token& stop = {});

}  // namespace vestrel
