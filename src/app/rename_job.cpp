#include "app/rename_job.h"

#include "app/status_texts.h"
#include "dictionary/settings.h"
#include "folders/folder_pass.h"
#include "materials/discovery.h"
#include "materials/material_pass.h"
#include "platform/directory.h"
#include "platform/files.h"
#include "text/paths.h"

namespace vestrel {
namespace {

void SetJobControlsDisabled(Controls& controls, bool disabled) {
  for (Control control : kJobControls) controls.SetDisabled(control, disabled);
}

void RemoveLeftBehindFiles(const Text& folder) {
  const Text base = folder.empty() ? Text(".") + kPathSeparatorText : folder;
  for (const DirectoryEntry& entry : ListDirectory(base).entries) {
    if (!entry.isDirectory && IsLeftBehindTemporaryFile(entry.name.view())) {
      RemoveFile(base + entry.name);
    }
  }
}

}  // namespace

void ReportUnsupportedName(AppState& app, const Text& markedPath) {
  if (app.reportedUnsupportedNames.insert(markedPath.str()).second) {
    AppendFailure(app.failureLog, FailureLine(kLineUnsupportedName, markedPath));
  }
}

std::vector<StartProblem> StartProblems(const Controls& controls) {
  std::vector<StartProblem> problems;
  const Text folder = TrimText(controls.GetText(Control::编辑框_ksmp));
  const Text dictionary = TrimText(controls.GetText(Control::编辑框_Dic));
  if (PathIsDirectoryEmpty(folder)) problems.push_back(StartProblem::kMaterialFolderEmpty);
  if (PathIsDirectory(folder) != 16) problems.push_back(StartProblem::kMaterialFolderNotAFolder);
  if (!PathFileExists(dictionary)) problems.push_back(StartProblem::kDictionaryMissing);
  if (FileExtension(dictionary) != Text(".ini"))
    problems.push_back(StartProblem::kDictionaryNotIni);
  return problems;
}

bool StartChecksPass(const Controls& controls) {
  return StartProblems(controls).empty();
}

bool ReadyToStart(Controls& controls, bool unholdableText) {
  if (unholdableText || !StartChecksPass(controls)) {
    controls.SetStatus(kStatusUnknownError);
    return false;
  }
  if (controls.IsChecked(Control::选择框1) || controls.IsChecked(Control::选择框2)) {
    for (Control control : kJobControls) controls.SetDisabled(control, true);
  }
  return true;
}

void EnableJobControls(Controls& controls) {
  for (Control control : kJobControls) controls.SetDisabled(control, false);
}

JobSummary RenameJob(AppState& app, const std::stop_token& stop) {
  Controls& controls = app.controls;
  JobSummary summary;
  if (!controls.IsChecked(Control::选择框1) && !controls.IsChecked(Control::选择框2))
    return summary;
  summary.ran = true;
  if (!app.dryRun) {
    // A run killed while it saved the settings left its temporary file beside the dictionary.
    RemoveLeftBehindFiles(ParentPrefix(controls.GetText(Control::编辑框_Dic)));
    SaveSettings(controls);
  }
  SetJobControlsDisabled(controls, true);
  app.failureLog.Clear();
  app.reportedUnsupportedNames.clear();
  app.materialList.clear();

  const Text dictionary = TrimText(controls.GetText(Control::编辑框_Dic));
  WalkHooks hooks;
  hooks.unsupported = [&app](const Text& path) { ReportUnsupportedName(app, path); };
  if (!app.dryRun) hooks.leftBehind = [](const Text& path) { RemoveFile(path); };
  hooks.stop = stop;
  FindMaterialFiles(
      TrimText(controls.GetText(Control::编辑框_ksmp)),
      [&app](const Text& path) { app.materialList.push_back(path); }, "*.mtl", -1, hooks);
  if (controls.IsChecked(Control::选择框1)) {
    summary.materialsWritten = RenameMaterials(app, app.materialList, dictionary, stop);
  }
  if (controls.IsChecked(Control::选择框2)) {
    // The folder pass lists the folder as the box names it, blanks and all.
    summary.foldersRenamed =
        RenameFolders(app, controls.GetText(Control::编辑框_ksmp), dictionary, stop);
  }
  summary.stopped = stop.stop_requested();
  controls.SetStatus(kStatusDone);
  SetJobControlsDisabled(controls, false);
  return summary;
}

}  // namespace vestrel
