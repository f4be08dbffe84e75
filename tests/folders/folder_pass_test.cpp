#include "folders/folder_pass.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/job_fixture.h"

namespace vestrel {
namespace {

class FolderPassTest : public testing::JobFixture {
 protected:
  void Folders(std::initializer_list<const char*> folders) {
    for (const char* folder : folders) dir.MakeFolder("lib/" + std::string(folder));
  }
  int Run() { return RenameFolders(app, Library(), dir.TextPath("dic.ini")); }
  std::string Failure(const char* line, std::string_view folder) {
    return std::string(line) + " \"" + testing::JobFixture::Library(folder).str() + "\"";
  }
};

TEST_F(FolderPassTest, ForwardAloneAndBilingual) {
  WriteDictionary("[dic]\r\nMetal=金属\r\nWood=木\r\nlib=库\r\n");
  Folders({"Metal", "Wood", "Stone"});
  EXPECT_EQ(Run(), 2);
  EXPECT_TRUE(Exists("金属"));
  EXPECT_TRUE(Exists("木"));
  EXPECT_TRUE(Exists("Stone"));
  EXPECT_EQ(LogLines(), std::vector<std::string>{"not find dic \"Stone\""});
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "lib"));  // the material folder keeps its name

  controls.SetChecked(Control::选择框_DoubleL2, true);
  app.failureLog.Clear();
  WriteDictionary("[dic]\r\nStone=石\r\n");
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(Exists("Stone - 石"));
  // A second bilingual run looks the bilingual name up as a key.
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(LogLines().back(), "not find dic \"Stone - 石\"");
}

TEST_F(FolderPassTest, Reverse) {
  WriteDictionary("[dic]\r\nMetal=金属\r\nGold=金\r\nAurum=金\r\n");
  Folders({"金属", "Metal - 金属/Gold - 金", "NoSeparator"});
  controls.SetChecked(Control::选择框_Invert, true);
  controls.SetChecked(Control::选择框_DoubleL2, true);
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(Exists("Metal"));  // from "Metal - 金属", the key alone
  EXPECT_TRUE(Exists("Metal/Gold - 金"));
  EXPECT_TRUE(Exists("金属"));  // holds no " - ": looked up as an empty text
  EXPECT_EQ(LogLines(),
            (std::vector<std::string>{"not find dic \"\"", "not find dic \"\"",
                                      "error:multiple results \"金\"", "not find dic \"金\""}));
}

TEST_F(FolderPassTest, NestedFoldersAreRenamedDeepestFirst) {
  WriteDictionary("[dic]\r\nA=X\r\nB=Y\r\nCar=Auto\r\n");
  Folders({"A/B", "Car.Paint"});
  EXPECT_EQ(Run(), 3);
  EXPECT_TRUE(Exists("X/Y"));
  EXPECT_TRUE(Exists("Auto"));  // "Car.Paint" is looked up as "Car" and loses ".Paint"
  EXPECT_EQ(controls.positions, (std::vector<int>{33, 66, 100}));
  EXPECT_EQ(controls.statuses, (std::vector<Text>{"Car", "B", "A"}));
}

TEST_F(FolderPassTest, UnsafeOrTakenNamesFailWithALine) {
  WriteDictionary(
      "[dic]\r\nGold=Shared\r\nSilver=Shared\r\nUp=..\r\nSlash=a/"
      "b\r\nTaken=Empty\r\nSame=Same\r\n");
  Folders({"Gold", "Silver", "Up", "Slash", "Taken", "Empty", "Same", ".git"});
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(Exists("Shared"));
  EXPECT_TRUE(Exists("Gold"));  // the later of the two siblings
  EXPECT_TRUE(Exists("Up"));
  EXPECT_TRUE(Exists("Slash"));
  EXPECT_TRUE(Exists("Taken"));  // never onto an existing empty folder
  EXPECT_TRUE(Exists("Same"));
  EXPECT_TRUE(Exists(".git"));
  EXPECT_EQ(LogLines(),
            (std::vector<std::string>{
                Failure("error:rename failed", "Up"), Failure("error:rename failed", "Taken"),
                Failure("error:rename failed", "Slash"), Failure("error:rename failed", "Gold"),
                "not find dic \"Empty\""}));
}

TEST_F(FolderPassTest, AnEmptyListTouchesNothing) {
  WriteDictionary("[dic]\r\n");
  dir.MakeFolder("lib");
  controls.SetProgress(7);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(controls.Progress(), 7);
  EXPECT_TRUE(controls.statuses.empty());
}

}  // namespace
}  // namespace vestrel
