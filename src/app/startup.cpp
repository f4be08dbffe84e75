#include "app/startup.h"

#include "app/status_texts.h"
#include "dictionary/settings.h"
#include "platform/directory.h"
#include "text/paths.h"

namespace vestrel {

void OnMainWindowCreated(AppState& app, const Text& programFolder, const Registry& registry) {
  app.startupDictionaryPath = WithTrailingSeparator(programFolder) + "dic.ini";
  if (PathFileExists(app.startupDictionaryPath)) {
    app.controls.SetText(Control::编辑框_Dic, app.startupDictionaryPath);
    LoadSettings(app.startupDictionaryPath, app.controls);
  }
  // A box of blanks is not empty: the user's own text stays.
  if (app.controls.GetText(Control::编辑框_ksmp).empty())
    DetectMaterialFolder(app.controls, registry);
  app.bilingualSeparator = " - ";
}

void DetectMaterialFolder(Controls& controls, const Registry& registry) {
  controls.SetStatus(kStatusWait);
  for (int version = 9; version >= 1; --version) {
    // Registry paths use the backslash on every system.
    const Text key = "SOFTWARE\\Luxion\\KeyShot " + Text(std::to_string(version));
    const Text value = "ResourceFolder";
    if (!registry.HasValue(key, value)) continue;
    // A folder that ends in a separator gives two; the directory test takes that as one.
    const Text candidate = registry.ReadText(key, value) + kPathSeparatorText + "Materials";
    if (PathIsDirectory(candidate) == 16) {
      controls.SetText(Control::编辑框_ksmp, candidate);
      break;
    }
  }
  controls.SetStatus({});
}

void OnMaterialFolderDropped(Controls& controls, const Text& path) {
  controls.SetText(Control::编辑框_ksmp, path);
}

void OnDictionaryDropped(Controls& controls, const Text& path) {
  if (!PathFileExists(path)) return;
  controls.SetText(Control::编辑框_Dic, path);
  LoadSettings(path, controls);
}

}  // namespace vestrel
