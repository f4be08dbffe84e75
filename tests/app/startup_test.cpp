#include "app/startup.h"

#include <gtest/gtest.h>

#include <map>

#include "app/status_texts.h"
#include "support/job_fixture.h"
#include "text/paths.h"

namespace vestrel {
namespace {

// A registry filled by the test: key path -> value name -> text.
class TestRegistry final : public Registry {
 public:
  void Set(const std::string& key, const Text& value) { values_[key] = value; }
  [[nodiscard]] bool HasValue(const Text& keyPath, const Text& valueName) const override {
    ++reads;
    return valueName == Text("ResourceFolder") && values_.contains(keyPath.str());
  }
  [[nodiscard]] Text ReadText(const Text& keyPath, const Text& /*valueName*/) const override {
    return values_.at(keyPath.str());
  }
  mutable int reads = 0;

 private:
  std::map<std::string, Text> values_;
};

class StartupTest : public testing::JobFixture {
 protected:
  static std::string Key(int version) {
    return "SOFTWARE\\Luxion\\KeyShot " + std::to_string(version);
  }
  TestRegistry registry;
};

TEST_F(StartupTest, TheNewestVersionWithAnExistingFolderWins) {
  dir.MakeFolder("ks9/Materials");
  dir.MakeFolder("ks8/Materials");
  dir.MakeFolder("ks7");
  registry.Set(Key(9), dir.TextPath("ks9"));
  registry.Set(Key(8), dir.TextPath("ks8"));
  DetectMaterialFolder(controls, registry);
  EXPECT_EQ(controls.GetText(Control::编辑框_ksmp), dir.TextPath("ks9/Materials"));
  EXPECT_EQ(controls.statuses, (std::vector<Text>{kStatusWait, ""}));
}

TEST_F(StartupTest, AVersionWithoutItsFolderIsPassedOver) {
  dir.MakeFolder("ks8/Materials");
  registry.Set(Key(9), dir.TextPath("ks9-missing"));
  registry.Set(Key(8), dir.TextPath("ks8") + kPathSeparatorText);  // a trailing separator gives two
  DetectMaterialFolder(controls, registry);
  EXPECT_EQ(controls.GetText(Control::编辑框_ksmp),
            dir.TextPath("ks8") + kPathSeparatorText + kPathSeparatorText + "Materials");
}

TEST_F(StartupTest, OnlyVersionsOneToNineAreLookedFor) {
  dir.MakeFolder("ks/Materials");
  registry.Set(Key(10), dir.TextPath("ks"));
  registry.Set(Key(0), dir.TextPath("ks"));
  DetectMaterialFolder(controls, registry);
  EXPECT_EQ(controls.GetText(Control::编辑框_ksmp), Text());
  EXPECT_EQ(registry.reads, 9);
  EXPECT_EQ(controls.Status(), Text());
}

TEST_F(StartupTest, TheDictionaryBesideTheProgram) {
  dir.Write("program/dic.ini", "[configs]\r\nMaterialFolder=/stored\r\nFrom=1\r\n");
  OnMainWindowCreated(app, dir.TextPath("program"), registry);
  EXPECT_EQ(app.startupDictionaryPath, dir.TextPath("program/dic.ini"));
  EXPECT_EQ(controls.GetText(Control::编辑框_Dic), dir.TextPath("program/dic.ini"));
  EXPECT_EQ(controls.GetText(Control::编辑框_ksmp), Text("/stored"));
  EXPECT_TRUE(controls.IsChecked(Control::单选框2));
  EXPECT_EQ(registry.reads, 0);
  EXPECT_EQ(app.bilingualSeparator, Text(" - "));

  // Without a stored folder the registry is searched; blanks count as a folder.
  dir.Write("program/dic.ini", "[configs]\r\nMaterialFolder=\r\n");
  OnMainWindowCreated(app, dir.TextPath("program"), registry);
  EXPECT_EQ(registry.reads, 9);
  dir.Write("program/dic.ini", "[configs]\r\nMaterialFolder=\" \"\r\n");
  OnMainWindowCreated(app, dir.TextPath("program"), registry);
  EXPECT_EQ(registry.reads, 9);
}

TEST_F(StartupTest, Drops) {
  dir.Write("d.ini", "[configs]\r\nMaterialFolder=/x\r\n");
  OnMaterialFolderDropped(controls, "/not/checked");
  EXPECT_EQ(controls.GetText(Control::编辑框_ksmp), Text("/not/checked"));
  OnDictionaryDropped(controls, dir.TextPath("missing.ini"));
  EXPECT_EQ(controls.GetText(Control::编辑框_Dic), Text());
  OnDictionaryDropped(controls, dir.TextPath("d.ini"));
  EXPECT_EQ(controls.GetText(Control::编辑框_Dic), dir.TextPath("d.ini"));
  EXPECT_EQ(controls.GetText(Control::编辑框_ksmp), Text("/x"));
}

}  // namespace
}  // namespace vestrel
