#include "platform/directory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace vestrel {
namespace {

namespace fs = std::filesystem;
using testing::Gbk;
using testing::TempDir;

std::vector<std::string> Names(const DirectoryListing& listing) {
  std::vector<std::string> names;
  for (const auto& entry : listing.entries) names.push_back(entry.name.str());
  return names;
}

TEST(Directory, ListsInNtfsOrderWithoutLinks) {
  TempDir dir;
#ifdef _WIN32
  // Names that differ in case alone are one name here.
  std::vector<std::string> names = {".hidden", "A.mtl", "b.mtl", "c", "Z", "_x", "~y"};
#else
  std::vector<std::string> names = {".hidden", "A.mtl", "a.mtl", "b.mtl", "c", "Z", "_x", "~y"};
#endif
  for (const std::string& name : names) {
    if (name == "c") continue;
    dir.Write(name, "");
  }
  dir.MakeFolder("c");
  // Where the system makes links, they are left out of the listing.
  testing::MakeLink(dir.path() / "c", dir.path() / "link-dir");
  testing::MakeLink(dir.path() / "b.mtl", dir.path() / "link.mtl");
  DirectoryListing listing = ListDirectory(dir.TextPath());
  // Upper-cased, "_" (0x5F) sorts after the letters and "~" after "_"; "A" before "a".
  EXPECT_EQ(Names(listing), names);
  EXPECT_TRUE(listing
                  .entries[static_cast<std::size_t>(std::find(names.begin(), names.end(), "c") -
                                                    names.begin())]
                  .isDirectory);
  EXPECT_TRUE(ListDirectory(dir.TextPath("missing")).entries.empty());
}

TEST(Directory, NamesGbkCannotHoldAreSetApart) {
  TempDir dir;
  dir.Write("ok.mtl", "");
  dir.Write("smile😀.mtl", "");
  dir.MakeFolder("é-folder");  // é is in GBK
  DirectoryListing listing = ListDirectory(dir.TextPath());
  ASSERT_EQ(listing.unsupported.size(), 1u);
  EXPECT_EQ(listing.unsupported[0].name, Text("smile?.mtl"));
  EXPECT_EQ(listing.entries.size(), 2u);
}

TEST(Directory, MatchesMasksLikeWindows) {
  struct Case {
    const char* name;
    const char* mask;
    bool matches;
  };
  const Case cases[] = {
      {"Gold.mtl", "*.mtl", true}, {"GOLD.MTL", "*.mtl", true}, {"x.mtlx", "*.mtl", false},
      {"mtl", "*.mtl", false},     {".mtl", "*.mtl", true},     {"a.b.mtl", "*.mtl", true},
      {"noext", "*.*", true},      {"a.b", "*.*", true},        {"abc", "a?c", true},
      {"ac", "a?c", false},        {"金.mtl", "*.MTL", true},   {"a", "*", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesMask(Gbk(c.name), c.mask), c.matches) << c.name << " " << c.mask;
  }
}

TEST(Directory, PathTests) {
  TempDir dir;
  dir.MakeFolder("empty");
  dir.Write("full/a.txt", "");
  dir.Write("file.ini", "");
  EXPECT_EQ(PathIsDirectory(dir.TextPath("full")), 16);
  EXPECT_EQ(PathIsDirectory(dir.TextPath("file.ini")), 0);
  EXPECT_EQ(PathIsDirectory(dir.TextPath("missing")), 0);
  EXPECT_TRUE(PathIsDirectoryEmpty(dir.TextPath("empty")));
  EXPECT_FALSE(PathIsDirectoryEmpty(dir.TextPath("full")));
  EXPECT_FALSE(PathIsDirectoryEmpty(dir.TextPath("missing")));
  EXPECT_TRUE(PathFileExists(dir.TextPath("file.ini")));
  EXPECT_TRUE(PathFileExists(dir.TextPath("full")));
  EXPECT_FALSE(PathFileExists(dir.TextPath("missing")));
  EXPECT_FALSE(PathFileExists(""));
  EXPECT_TRUE(HasSubdirectory(dir.TextPath()));
  EXPECT_FALSE(HasSubdirectory(dir.TextPath("full")));
}

TEST(Directory, MovesNeverReplace) {
  TempDir dir;
  dir.Write("Metal/a.mtl", "a");
  dir.MakeFolder("Taken");
  EXPECT_FALSE(MoveEntry(dir.TextPath("Metal"), dir.TextPath("Taken")));  // an empty folder
  EXPECT_TRUE(fs::exists(dir.path() / "Metal/a.mtl"));
  EXPECT_TRUE(MoveEntry(dir.TextPath("Metal"), dir.TextPath("Metal")));
  EXPECT_TRUE(MoveEntry(dir.TextPath("Metal"), dir.TextPath("METAL")));
  EXPECT_TRUE(fs::exists(dir.path() / "METAL/a.mtl"));
  EXPECT_TRUE(MoveEntry(dir.TextPath("METAL"), dir.TextPath("金属")));
  EXPECT_TRUE(fs::exists(dir.path() / testing::PathOf("金属/a.mtl")));
  EXPECT_FALSE(MoveEntry(dir.TextPath("missing"), dir.TextPath("other")));
}

TEST(Directory, ValidEntryNames) {
  EXPECT_TRUE(IsValidEntryName("Metal"));
  for (const char* bad : {"", ".", "..", "a/b", "/"}) EXPECT_FALSE(IsValidEntryName(bad)) << bad;
#ifdef _WIN32
  // Windows drops a final dot or blank from a name, and keeps some characters for itself.
  for (const char* bad : {" x ", "x.", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a|b", "a\tb"})
    EXPECT_FALSE(IsValidEntryName(bad)) << bad;
  EXPECT_TRUE(IsValidEntryName(" x"));
#else
  EXPECT_TRUE(IsValidEntryName(" x "));
  EXPECT_TRUE(IsValidEntryName("a:b"));
#endif
}

}  // namespace
}  // namespace vestrel
