#include "dictionary/settings.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vestrel {
namespace {

using testing::ReadFile;
using testing::TempDir;

struct Checks {
  bool materials, folders, bilingualMaterials, bilingualFolders, fromName, fromHeader;
};

Checks StatesOf(const Controls& controls) {
  return {
      controls.IsChecked(Control::选择框1),         controls.IsChecked(Control::选择框2),
      controls.IsChecked(Control::选择框_DoubleL1), controls.IsChecked(Control::选择框_DoubleL2),
      controls.IsChecked(Control::单选框1),         controls.IsChecked(Control::单选框2)};
}

bool operator==(const Checks& a, const Checks& b) {
  return a.materials == b.materials && a.folders == b.folders &&
         a.bilingualMaterials == b.bilingualMaterials && a.bilingualFolders == b.bilingualFolders &&
         a.fromName == b.fromName && a.fromHeader == b.fromHeader;
}

TEST(Settings, MissingValuesGiveTheStartingStates) {
  TempDir dir;
  dir.Write("d.ini", "[dic]\r\nGold=Au\r\n");
  MemoryControls controls;
  controls.SetText(Control::编辑框_ksmp, "/old");
  controls.SetChecked(Control::选择框1, false);
  controls.SetChecked(Control::选择框_DoubleL2, true);
  controls.SetChecked(Control::单选框2, true);
  LoadSettings(dir.TextPath("d.ini"), controls);
  EXPECT_EQ(controls.GetText(Control::编辑框_ksmp), Text());
  EXPECT_EQ(StatesOf(controls), (Checks{true, true, false, false, true, false}));

  LoadSettings(dir.TextPath("missing.ini"), controls);
  EXPECT_EQ(StatesOf(controls), (Checks{true, true, false, false, true, false}));
}

TEST(Settings, LoadReadsEachKeyOnItsOwn) {
  struct Case {
    const char* configs;
    Checks expected;
  };
  const Case cases[] = {
      {"FolderName=TRUE\r\nMaterialFolde=1\r\n", {false, true, false, false, true, false}},
      {"FolderName=\r\nMaterialFolde=false\r\n", {false, true, false, false, true, false}},
      {"MaterialFoldeDoubleLang=true\r\n", {true, true, true, false, true, false}},
      {"FolderNameDoubleLang=True\r\nFrom=1\r\n", {true, true, false, true, false, true}},
      {"From=0\r\n", {true, true, false, false, true, false}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    dir.Write("d.ini", std::string("[configs]\r\nMaterialFolder=D:\\lib\r\n") + c.configs);
    MemoryControls controls;
    LoadSettings(dir.TextPath("d.ini"), controls);
    EXPECT_EQ(StatesOf(controls), c.expected) << c.configs;
    EXPECT_EQ(controls.GetText(Control::编辑框_ksmp), Text("D:\\lib"));
  }
}

TEST(Settings, FromOtherThanZeroOrOneLeavesTheRadioButtons) {
  TempDir dir;
  for (const char* from : {"2", "01", "1.0"}) {
    dir.Write("d.ini", std::string("[configs]\r\nFrom=") + from + "\r\n");
    MemoryControls controls;
    controls.SetChecked(Control::单选框2, true);
    LoadSettings(dir.TextPath("d.ini"), controls);
    EXPECT_FALSE(controls.IsChecked(Control::单选框1)) << from;
    EXPECT_TRUE(controls.IsChecked(Control::单选框2)) << from;
  }
}

TEST(Settings, SaveWritesTheSixKeysOnceAndLeavesTheRest) {
  TempDir dir;
  dir.Write("d.ini", "[dic]\r\nGold=Au\r\n");
  MemoryControls controls;
  controls.SetText(Control::编辑框_Dic, dir.TextPath("d.ini"));
  controls.SetText(Control::编辑框_ksmp, "D:\\lib\\Materials");
  controls.SetChecked(Control::选择框_DoubleL1, true);
  controls.SetChecked(Control::单选框2, true);
  controls.SetChecked(Control::选择框_Invert, true);  // never stored
  ASSERT_TRUE(SaveSettings(controls));
  const std::string expected =
      "[dic]\r\nGold=Au\r\n[configs]\r\nMaterialFolder=D:\\lib\\Materials\r\nFolderName=true\r\n"
      "MaterialFolde=true\r\nFolderNameDoubleLang=false\r\nMaterialFoldeDoubleLang=true\r\n"
      "From=1\r\n";
  EXPECT_EQ(ReadFile(dir.path() / "d.ini"), expected);
  ASSERT_TRUE(SaveSettings(controls));
  EXPECT_EQ(ReadFile(dir.path() / "d.ini"), expected);

  MemoryControls loaded;
  LoadSettings(dir.TextPath("d.ini"), loaded);
  EXPECT_EQ(StatesOf(loaded), StatesOf(controls));
  EXPECT_EQ(loaded.GetText(Control::编辑框_ksmp), Text("D:\\lib\\Materials"));
}

TEST(Settings, SaveWithNeitherRadioButtonStoresAnEmptyFrom) {
  TempDir dir;
  MemoryControls controls;
  controls.SetText(Control::编辑框_Dic, dir.TextPath("d.ini"));
  controls.SetChecked(Control::单选框1, false);
  ASSERT_TRUE(SaveSettings(controls));
  EXPECT_TRUE(ReadFile(dir.path() / "d.ini").ends_with("\r\nFrom=\r\n"));
}

TEST(Settings, AFolderWithALineBreakWritesNothing) {
  TempDir dir;
  dir.Write("d.ini", "[dic]\r\nGold=Au\r\n");
  MemoryControls controls;
  controls.SetText(Control::编辑框_Dic, dir.TextPath("d.ini"));
  controls.SetText(Control::编辑框_ksmp, "/lib\r\n[dic]\r\nGold=Fake");
  EXPECT_FALSE(SaveSettings(controls));
  EXPECT_EQ(ReadFile(dir.path() / "d.ini"), "[dic]\r\nGold=Au\r\n");
}

}  // namespace
}  // namespace vestrel
