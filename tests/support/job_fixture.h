// A material library and a dictionary in a temporary folder, with the state a job runs on.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/codepage.h"
#include "support/temp_dir.h"

namespace vestrel::testing {

// Controls that also remember every progress position and status text they were given.
class RecordingControls : public MemoryControls {
 public:
  void SetProgress(int position) override {
    positions.push_back(position);
    MemoryControls::SetProgress(position);
  }
  void SetText(Control control, const Text& text) override {
    if (control == Control::caption_msg) statuses.push_back(text);
    MemoryControls::SetText(control, text);
  }
  std::vector<int> positions;
  std::vector<Text> statuses;
};

class JobFixture : public ::testing::Test {
 protected:
  JobFixture() : app(controls) {}

  // Writes the dictionary (lines in UTF-8, stored as GBK) and names it in the dictionary box.
  Text WriteDictionary(std::string_view utf8) {
    dir.Write("dic.ini", TextToBytes(Gbk(utf8)));
    controls.SetText(Control::编辑框_Dic, dir.TextPath("dic.ini"));
    return dir.TextPath("dic.ini");
  }
  // Writes a material file below the library folder.
  Text WriteMaterial(std::string_view relativeUtf8, std::string_view content) {
    dir.Write("lib/" + std::string(relativeUtf8), content);
    return Library(relativeUtf8);
  }
  Text Library(std::string_view relativeUtf8 = {}) const {
    return relativeUtf8.empty() ? dir.TextPath("lib")
                                : dir.TextPath("lib/" + std::string(relativeUtf8));
  }
  std::string ReadMaterial(std::string_view relativeUtf8) const {
    return ReadFile(dir.path() / "lib" /
                    std::filesystem::path(std::u8string(relativeUtf8.begin(), relativeUtf8.end())));
  }
  bool Exists(std::string_view relativeUtf8) const {
    return std::filesystem::exists(
        dir.path() / "lib" /
        std::filesystem::path(std::u8string(relativeUtf8.begin(), relativeUtf8.end())));
  }
  // The failure log as UTF-8 lines.
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    for (const Text& line : SplitText(app.failureLog.Lines(), "\r\n"))
      lines.push_back(GbkToUtf8(line).str());
    return lines;
  }

  TempDir dir;
  RecordingControls controls;
  AppState app;
};

}  // namespace vestrel::testing
