#include "materials/material_pass.h"

#include "app/progress.h"
#include "app/status_texts.h"
#include "dictionary/lookup.h"
#include "materials/material_header.h"
#include "platform/files.h"
#include "text/paths.h"

namespace vestrel {
namespace {

// The new name of one material; nothing when the file is to be left alone.
std::optional<Text> NewMaterialName(AppState& app, const Text& path, const Text& current,
                                    const Text& dictionaryPath) {
  Controls& controls = app.controls;
  const bool fromHeader = controls.IsChecked(Control::单选框2);
  const bool bilingual = controls.IsChecked(Control::选择框_DoubleL1);
  Text newName;
  if (controls.IsChecked(Control::选择框_Invert)) {
    if (!fromHeader) {
      newName = current;  // the header takes the file's own name, no dictionary asked
    } else {
      Text sought = bilingual ? TextBetween(current + "$]", app.bilingualSeparator, "$]") : current;
      newName = ReverseLookup(app.dictionaries, dictionaryPath, "dic", sought, app.failureLog);
      if (TrimText(newName).empty()) {
        AppendFailure(app.failureLog, FailureLine(kLineReverseNotFound, sought));
        return std::nullopt;
      }
    }
  } else {
    newName = ForwardLookup(app.dictionaries, dictionaryPath, current);
    if (TrimText(newName).empty()) return std::nullopt;  // a name the dictionary lacks
    if (bilingual) newName = current + app.bilingualSeparator + newName;
  }
  // Never write a blank name into a header (a file named ".mtl" has an empty base name).
  if (TrimText(newName).empty()) {
    AppendFailure(app.failureLog, FailureLine(kLineNotFound, path));
    return std::nullopt;
  }
  return newName;
}

}  // namespace

int RenameMaterials(AppState& app, const TextArray& materialList, const Text& dictionaryPath,
                    const std::stop_token& stop) {
  Controls& controls = app.controls;
  const auto n = static_cast<Pos>(materialList.size());
  int written = 0;
  for (Pos i = 1; i <= n && !stop.stop_requested(); ++i) {
    const Text& path = materialList[static_cast<std::size_t>(i - 1)];
    controls.SetProgress(ProgressOf(i, n));
    controls.SetStatus(BaseNameWithoutExtension(path));
    // The header's name is taken from this same read: a second read could only see
    // another program's half-finished write.
    ByteArray content = ReadWholeFile(path).value_or(ByteArray());

    Text current;
    if (controls.IsChecked(Control::单选框2)) {
      current = MaterialNameOf(content);
      if (current.empty()) {
        AppendFailure(app.failureLog, FailureLine(kLineNotFound, path));
        continue;
      }
    } else {
      current = BaseNameWithoutExtension(path);
    }

    auto newName = NewMaterialName(app, path, current, dictionaryPath);
    if (!newName) continue;
    auto newContent = ReplaceMaterialName(content, *newName);
    if (!newContent || *newContent == content) continue;  // no header, or nothing to change
    if (!app.dryRun && !ReplaceWholeFile(path, *newContent)) {
      AppendFailure(app.failureLog, FailureLine(kLineWriteFailed, path));
      continue;
    }
    ++written;
    if (app.observer != nullptr) app.observer->MaterialRenamed(path, current, *newName);
  }
  return written;
}

}  // namespace vestrel
