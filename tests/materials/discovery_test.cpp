#include "materials/discovery.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/directory.h"
#include "platform/files.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "text/paths.h"

namespace vestrel {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

std::vector<std::string> Find(const TempDir& dir, const Text& folder,
                              std::vector<std::string>* unsupported = nullptr) {
  std::vector<std::string> found;
  const auto prefix = dir.TextPath().size() + 1;
  WalkHooks hooks;
  hooks.unsupported = [&](const Text& path) {
    if (unsupported != nullptr) unsupported->push_back(testing::Slashed(path).substr(prefix));
  };
  hooks.leftBehind = [](const Text& path) { RemoveFile(path); };
  FindMaterialFiles(
      folder, [&](const Text& path) { found.push_back(testing::Slashed(path).substr(prefix)); },
      "*.mtl", -1, hooks);
  return found;
}

TEST(Discovery, DepthFirstWithEachFolderOwnFilesFirst) {
  TempDir dir;
  for (const char* file :
       {"lib/b/z.mtl", "lib/b.mtl", "lib/a/deep/x.mtl", "lib/a/y.MTL", "lib/.hidden.mtl",
        "lib/notes.txt", "lib/x.mtl/inner.mtl", "lib/c/z.mtlx"}) {
    dir.Write(file, "");
  }
  dir.MakeFolder("lib/empty");
  const std::vector<std::string> expected = {"lib/.hidden.mtl", "lib/b.mtl",
                                             "lib/a/y.MTL",     "lib/a/deep/x.mtl",
                                             "lib/b/z.mtl",     "lib/x.mtl/inner.mtl"};
  EXPECT_EQ(Find(dir, dir.TextPath("lib")), expected);
  EXPECT_EQ(Find(dir, dir.TextPath("lib") + kPathSeparatorText),
            expected);  // one separator, not two
  EXPECT_TRUE(Find(dir, dir.TextPath("lib/empty")).empty());
  EXPECT_TRUE(Find(dir, dir.TextPath("missing")).empty());
}

TEST(Discovery, FollowsNoLinks) {
  TempDir dir;
  dir.Write("lib/a.mtl", "");
  dir.Write("outside/b.mtl", "");
  if (!testing::MakeLink(dir.path() / "outside", dir.path() / "lib/to-outside"))
    GTEST_SKIP() << "no symbolic links here";
  testing::MakeLink(dir.path() / "lib", dir.path() / "lib/loop");
  testing::MakeLink(dir.path() / "outside/b.mtl", dir.path() / "lib/linked.mtl");
  EXPECT_EQ(Find(dir, dir.TextPath("lib")), std::vector<std::string>{"lib/a.mtl"});
}

TEST(Discovery, ReportsNamesGbkCannotHoldAndSkipsTheirTrees) {
  TempDir dir;
  dir.Write("lib/ok.mtl", "");
  dir.Write("lib/smile😀.mtl", "");
  dir.Write("lib/smile😀.txt", "");  // not a material: nothing to report
  dir.Write("lib/folder😀/inside.mtl", "");
  std::vector<std::string> unsupported;
  EXPECT_EQ(Find(dir, dir.TextPath("lib"), &unsupported), std::vector<std::string>{"lib/ok.mtl"});
  EXPECT_EQ(unsupported, (std::vector<std::string>{"lib/folder?", "lib/smile?.mtl"}));
}

TEST(Discovery, RemovesTemporaryFilesAKilledRunLeft) {
  TempDir dir;
  dir.Write("lib/a.mtl", "");
  const long gone = testing::EndedProcessId();
  const std::string leftBehind = ".vestrel-" + std::to_string(gone) + "-abcd1234.tmp";
  const std::string live =
      ".vestrel-" + std::to_string(testing::CurrentProcessId()) + "-abcd1234.tmp";
  dir.Write("lib/sub/" + leftBehind, "half");
  dir.Write("lib/" + live, "being written");
  dir.Write("lib/.vestrel-keep.tmp", "not ours");
  EXPECT_EQ(Find(dir, dir.TextPath("lib")), std::vector<std::string>{"lib/a.mtl"});
  EXPECT_FALSE(fs::exists(dir.path() / "lib/sub" / leftBehind));
  EXPECT_TRUE(fs::exists(dir.path() / "lib" / live));
  EXPECT_TRUE(fs::exists(dir.path() / "lib/.vestrel-keep.tmp"));
}

TEST(Discovery, DepthLimitCountsPathParts) {
  TempDir dir;
  dir.Write("lib/a.mtl", "");
  dir.Write("lib/sub/b.mtl", "");
  std::vector<std::string> found;
  const Text lib = dir.TextPath("lib");
  const auto parts = static_cast<int>(SplitText(lib, "/").size());
  FindMaterialFiles(
      lib, [&](const Text& path) { found.push_back(path.str()); }, "*.mtl", parts);
  EXPECT_EQ(found.size(), 1u);
}

}  // namespace
}  // namespace vestrel
