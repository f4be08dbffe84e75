#include "dictionary/settings.h"

#include <array>
#include <utility>

#include "dictionary/ini_file.h"
#include "platform/files.h"

namespace vestrel {
namespace {

const Text kSection = "configs";

void LoadCheckBox(const Text& value, Control box, bool whenEmpty, Controls& controls) {
  controls.SetChecked(box, value.empty() ? whenEmpty : IsTrueText(value));
}

}  // namespace

void LoadSettings(const Text& dictionaryPath, Controls& controls) {
  auto read = [&](const char* key) { return ReadIniValue(dictionaryPath, kSection, key); };
  controls.SetText(Control::编辑框_ksmp, read("MaterialFolder"));
  LoadCheckBox(read("FolderName"), Control::选择框2, true, controls);
  LoadCheckBox(read("MaterialFolde"), Control::选择框1, true, controls);
  LoadCheckBox(read("FolderNameDoubleLang"), Control::选择框_DoubleL2, false, controls);
  LoadCheckBox(read("MaterialFoldeDoubleLang"), Control::选择框_DoubleL1, false, controls);
  Text from = read("From");
  if (from == Text("0") || from.empty()) {
    controls.SetChecked(Control::单选框1, true);
    controls.SetChecked(Control::单选框2, false);
  }
  if (from == Text("1")) {
    controls.SetChecked(Control::单选框1, false);
    controls.SetChecked(Control::单选框2, true);
  }
}

bool SaveSettings(Controls& controls) {
  Text path = controls.GetText(Control::编辑框_Dic);
  Text from;
  if (controls.IsChecked(Control::单选框1)) from = "0";
  if (controls.IsChecked(Control::单选框2)) from = "1";
  const std::array<std::pair<const char*, Text>, 6> settings = {{
      {"MaterialFolder", controls.GetText(Control::编辑框_ksmp)},
      {"FolderName", BoolText(controls.IsChecked(Control::选择框2))},
      {"MaterialFolde", BoolText(controls.IsChecked(Control::选择框1))},
      {"FolderNameDoubleLang", BoolText(controls.IsChecked(Control::选择框_DoubleL2))},
      {"MaterialFoldeDoubleLang", BoolText(controls.IsChecked(Control::选择框_DoubleL1))},
      {"From", from},
  }};

  // The six writes are made on the content and the file is replaced once, so a crash never
  // leaves the settings of two different jobs side by side.
  std::optional<ByteArray> content = IniContentToEdit(path);
  for (const auto& [key, value] : settings) {
    if (!content) return false;
    content = SetIniValue(*content, kSection, key, value);
  }
  return content && ReplaceWholeFile(path, *content);
}

}  // namespace vestrel
