#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace vestrel {
namespace {

namespace fs = std::filesystem;
using testing::Gbk;
using testing::ReadFile;
using testing::TempDir;

TEST(Files, ReadsWholeFilesWithAnyBytes) {
  TempDir dir;
  const std::string content("a\0\r\nb", 5);
  dir.Write("x.bin", content);
  EXPECT_EQ(ReadWholeFile(dir.TextPath("x.bin")), content);
  dir.Write("empty", "");
  EXPECT_EQ(ReadWholeFile(dir.TextPath("empty")), "");
  EXPECT_EQ(ReadWholeFile(dir.TextPath("missing")), std::nullopt);
  EXPECT_EQ(ReadWholeFile(dir.TextPath()), std::nullopt);  // a folder
}

TEST(Files, NamesFilesInGbk) {
  TempDir dir;
  dir.Write("金属.mtl", "gold");
  EXPECT_EQ(ReadWholeFile(dir.TextPath("金属.mtl")), "gold");
}

TEST(Files, ReplaceKeepsPermissionsAndLeavesNoTemporaryFile) {
  TempDir dir;
  auto path = dir.Write("a.mtl", "old");
#ifndef _WIN32
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
  const fs::perms before = fs::status(path).permissions();
  ASSERT_TRUE(ReplaceWholeFile(dir.TextPath("a.mtl"), "new content"));
  EXPECT_EQ(ReadFile(path), "new content");
  EXPECT_EQ(fs::status(path).permissions(), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

  ASSERT_TRUE(ReplaceWholeFile(dir.TextPath("new.txt"), "created"));
  EXPECT_EQ(ReadFile(dir.path() / "new.txt"), "created");
}

TEST(Files, ReplaceRefusesWhatTheUserMayNotWrite) {
  TempDir dir;
  auto path = dir.Write("ro.mtl", "keep");
  fs::permissions(path, fs::perms::owner_read);
  EXPECT_FALSE(ReplaceWholeFile(dir.TextPath("ro.mtl"), "lost"));
  EXPECT_EQ(ReadFile(path), "keep");

#ifndef _WIN32  // a folder's permissions forbid nothing there
  auto folder = dir.MakeFolder("locked");
  dir.Write("locked/a.mtl", "keep");
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(ReplaceWholeFile(dir.TextPath("locked/a.mtl"), "lost"));
  EXPECT_EQ(ReadFile(folder / "a.mtl"), "keep");
#endif

  EXPECT_FALSE(ReplaceWholeFile(dir.TextPath("missing/a.mtl"), "x"));
  EXPECT_FALSE(ReplaceWholeFile("a\x81", "x"));  // not a name the system can hold
}

TEST(Files, ReplaceThroughALinkChangesItsTarget) {
  TempDir dir;
  dir.Write("real.ini", "old");
  if (!testing::MakeLink(dir.path() / "real.ini", dir.path() / "link.ini"))
    GTEST_SKIP() << "no symbolic links here";
  ASSERT_TRUE(ReplaceWholeFile(dir.TextPath("link.ini"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.ini"));
  EXPECT_EQ(ReadFile(dir.path() / "real.ini"), "new");
}

TEST(Files, RecognisesTemporaryFilesLeftBehind) {
  EXPECT_EQ(TemporaryFileOwner(".vestrel-123-ab12cd34.tmp"), 123);
  for (const char* other :
       {".vestrel-123-ab12cd34.mtl", "vestrel-123-ab12cd34.tmp", ".vestrel-ab12cd34.tmp",
        ".vestrel-x1-ab12cd34.tmp", ".vestrel-1-ab.tmp"}) {
    EXPECT_EQ(TemporaryFileOwner(other), std::nullopt) << other;
  }
  const std::string mine =
      ".vestrel-" + std::to_string(testing::CurrentProcessId()) + "-ab12cd34.tmp";
  EXPECT_FALSE(IsLeftBehindTemporaryFile(mine));  // a live writer
  const long ended = testing::EndedProcessId();
  EXPECT_TRUE(IsLeftBehindTemporaryFile(".vestrel-" + std::to_string(ended) + "-ab12cd34.tmp"));
}

}  // namespace
}  // namespace vestrel
