#include "folders/folder_list.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "text/paths.h"

namespace vestrel {
namespace {

using testing::TempDir;

TEST(FolderList, ListsEachLevelBeforeDescending) {
  TempDir dir;
  for (const char* folder :
       {"lib/Metal/Gold", "lib/Wood", "lib/.git/objects", "lib/Metal/.cache"}) {
    dir.MakeFolder(folder);
  }
  dir.Write("lib/Stone.mtl", "");  // files are never listed
  for (const Text& lib : {dir.TextPath("lib"), dir.TextPath("lib") + kPathSeparatorText}) {
    TextArray list;
    EXPECT_EQ(ListSubfolders(lib, list), 3);
    EXPECT_EQ(list, (TextArray{dir.TextPath("lib/Metal"), dir.TextPath("lib/Wood"),
                               dir.TextPath("lib/Metal/Gold")}));
    SortTextArray(list, true);
    EXPECT_EQ(list, (TextArray{dir.TextPath("lib/Wood"), dir.TextPath("lib/Metal/Gold"),
                               dir.TextPath("lib/Metal")}));
  }
  TextArray none;
  EXPECT_EQ(ListSubfolders(dir.TextPath("lib/Wood"), none), 0);
  EXPECT_TRUE(none.empty());
  EXPECT_TRUE(HasSubfolder(dir.TextPath("lib/Metal")));  // ".cache" counts here
  EXPECT_FALSE(HasSubfolder(dir.TextPath("lib/Wood")));
}

TEST(FolderList, SortPutsEveryFolderBeforeItsParent) {
  TextArray list = {"b", "a/b", "a", "c/d/e", "a", "c", "c/d", "ab", "", "a/a"};
  SortTextArray(list, false);
  EXPECT_EQ(list, (TextArray{"", "a", "a", "a/a", "a/b", "ab", "b", "c", "c/d", "c/d/e"}));
  SortTextArray(list, true);
  EXPECT_EQ(list, (TextArray{"c/d/e", "c/d", "c", "b", "ab", "a/b", "a/a", "a", "a", ""}));

  // Larger inputs exercise the bisection: the result must equal a plain sort.
  TextArray many;
  for (int i = 0; i < 300; ++i) many.emplace_back(std::to_string((i * 7919) % 211));
  TextArray expected = many;
  std::sort(expected.begin(), expected.end(),
            [](const Text& a, const Text& b) { return CompareText(a, b) < 0; });
  SortTextArray(many, false);
  EXPECT_EQ(many, expected);
}

TEST(FolderList, Reverse) {
  TextArray one = {"a"};
  ReverseTextArray(one);
  EXPECT_EQ(one, TextArray{"a"});
  TextArray three = {"a", "b", "c"};
  ReverseTextArray(three);
  EXPECT_EQ(three, (TextArray{"c", "b", "a"}));
  TextArray empty;
  SortTextArray(empty, true);
  EXPECT_TRUE(empty.empty());
}

}  // namespace
}  // namespace vestrel
