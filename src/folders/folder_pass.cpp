#include "folders/folder_pass.h"

#include <set>

#include "app/progress.h"
#include "app/status_texts.h"
#include "dictionary/lookup.h"
#include "folders/folder_list.h"
#include "platform/directory.h"
#include "text/paths.h"

namespace vestrel {
namespace {

// The folder's new name; nothing (with the failure line added) when the dictionary has none.
std::optional<Text> NewFolderName(AppState& app, const Text& old, const Text& dictionaryPath) {
  Controls& controls = app.controls;
  const bool bilingual = controls.IsChecked(Control::选择框_DoubleL2);
  if (controls.IsChecked(Control::选择框_Invert)) {
    Text sought = bilingual ? TextBetween(old + "$]", app.bilingualSeparator, "$]") : old;
    Text key = ReverseLookup(app.dictionaries, dictionaryPath, "dic", sought, app.failureLog);
    if (TrimText(key).empty()) {
      AppendFailure(app.failureLog, FailureLine(kLineNotFound, sought));
      return std::nullopt;
    }
    return key;  // the key alone, also in bilingual mode
  }
  Text value = ForwardLookup(app.dictionaries, dictionaryPath, old);
  if (TrimText(value).empty()) {
    AppendFailure(app.failureLog, FailureLine(kLineNotFound, old));
    return std::nullopt;
  }
  return bilingual ? old + app.bilingualSeparator + value : value;
}

// A dry run moves nothing, so it keeps its own account of which names the moves so far
// would have taken and freed.
class PlannedMoves {
 public:
  bool Move(const Text& from, const Text& to) {
    if (from == to) return true;
    bool taken = (PathFileExists(to) && !freed_.contains(to.str())) || taken_.contains(to.str());
    if (taken) return false;
    freed_.insert(from.str());
    taken_.erase(from.str());
    taken_.insert(to.str());
    freed_.erase(to.str());
    return true;
  }

 private:
  std::set<std::string> taken_;
  std::set<std::string> freed_;
};

}  // namespace

int RenameFolders(AppState& app, const Text& materialFolder, const Text& dictionaryPath,
                  const std::stop_token& stop) {
  TextArray list;
  ListSubfolders(materialFolder, list,
                 [&app](const Text& path) { ReportUnsupportedName(app, path); });
  SortTextArray(list, true);

  PlannedMoves planned;
  const auto n = static_cast<Pos>(list.size());
  int renamed = 0;
  for (Pos i = 1; i <= n && !stop.stop_requested(); ++i) {
    app.controls.SetProgress(ProgressOf(i, n));
    const Text& path = list[static_cast<std::size_t>(i - 1)];
    const Text old = BaseNameWithoutExtension(path);
    app.controls.SetStatus(old);

    auto newName = NewFolderName(app, old, dictionaryPath);
    if (!newName) continue;
    const Text target = ParentPrefix(path) + *newName;
    // A name with a separator, or "." or "..", would move the folder out of its parent.
    bool moved = IsValidEntryName(*newName) &&
                 (app.dryRun ? planned.Move(path, target) : MoveEntry(path, target));
    if (!moved) {
      AppendFailure(app.failureLog, FailureLine(kLineRenameFailed, path));
      continue;
    }
    if (target == path) continue;
    ++renamed;
    if (app.observer != nullptr) app.observer->FolderRenamed(path, target);
  }
  return renamed;
}

}  // namespace vestrel
