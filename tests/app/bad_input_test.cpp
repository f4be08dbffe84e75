// Bad dictionaries, bad material files and a changing file system: each ends in a clear
// outcome, and nothing the user had is lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "app/rename_job.h"
#include "app/status_texts.h"
#include "support/job_fixture.h"

namespace vestrel {
namespace {

namespace fs = std::filesystem;
using testing::Gbk;
using testing::ReadFile;

class BadInputTest : public testing::JobFixture {
 protected:
  void SetUp() override {
    controls.SetText(Control::编辑框_ksmp, Library());
    controls.SetText(Control::编辑框_Dic, dir.TextPath("dic.ini"));
    controls.SetChecked(Control::单选框2, true);
  }
  JobSummary Run() {
    JobSummary summary = RenameJob(app);
    EXPECT_EQ(controls.Status(), kStatusDone);
    return summary;
  }
};

TEST_F(BadInputTest, DictionariesThatHoldNoTranslation) {
  std::mt19937 random(7);
  std::string garbage(4096, '\0');
  for (char& byte : garbage) byte = static_cast<char>(random());
  const std::string utf16("\xFF\xFE[\0d\0i\0c\0]\0\r\0\n\0G\0o\0l\0d\0=\0x\0\r\0\n\0", 30);
  for (const std::string& dictionary :
       {garbage, utf16, std::string("[other]\r\nGold=Au\r\n"), std::string()}) {
    dir.Write("dic.ini", dictionary);
    WriteMaterial("Metal/Gold.mtl", "#define material \"Gold\" {}");
    const JobSummary summary = Run();
    EXPECT_EQ(summary.materialsWritten + summary.foldersRenamed, 0);
    EXPECT_EQ(ReadMaterial("Metal/Gold.mtl"), "#define material \"Gold\" {}");
    // Whatever the file held is still there; the settings come after it.
    EXPECT_TRUE(ReadFile(dir.path() / "dic.ini").starts_with(dictionary));
    EXPECT_EQ(LogLines(), std::vector<std::string>{"not find dic \"Metal\""});
  }
}

TEST_F(BadInputTest, HugeAndRepeatedDictionaries) {
  std::string dictionary = "[dic]\r\nHuge=" + std::string(1 << 20, 'x') +
                           "\r\nEquals=" + std::string(100000, '=') + "\r\n";
  for (int i = 0; i < 100000; ++i)
    dictionary += "Key" + std::to_string(i) + "=V" + std::to_string(i) + "\r\n";
  dictionary += TextToBytes(Gbk("Gold=金\r\n[dic]\r\nSilver=银\r\n"));
  dir.Write("dic.ini", dictionary);
  WriteMaterial("Gold.mtl", "#define material \"Gold\" {}");
  WriteMaterial("Silver.mtl", "#define material \"Silver\" {}");
  WriteMaterial("Last.mtl", "#define material \"Key99999\" {}");
  Run();
  EXPECT_EQ(ReadMaterial("Gold.mtl"), "#define material \"金\" {}");
  EXPECT_EQ(ReadMaterial("Silver.mtl"), "#define material \"Silver\" {}");  // second [dic]
  EXPECT_EQ(ReadMaterial("Last.mtl"), "#define material \"V99999\" {}");

  controls.SetChecked(Control::选择框_Invert, true);
  Run();
  EXPECT_EQ(ReadMaterial("Gold.mtl"), "#define material \"Gold\" {}");
  EXPECT_EQ(ReadMaterial("Last.mtl"), "#define material \"Key99999\" {}");
}

TEST_F(BadInputTest, MaterialFilesOfEveryKind) {
  WriteDictionary("[dic]\r\nGold=金\r\n");
  std::string binary(5000, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 131);
  WriteMaterial("empty.mtl", "");
  WriteMaterial("binary.mtl", binary);
  WriteMaterial("locked.mtl", "#define material \"Gold\" {}");
  fs::permissions(dir.path() / "lib/locked.mtl", fs::perms::none);
  Run();
  EXPECT_EQ(ReadMaterial("empty.mtl"), "");
  EXPECT_EQ(ReadMaterial("binary.mtl"), binary);
  fs::permissions(dir.path() / "lib/locked.mtl", fs::perms::owner_read);
  EXPECT_EQ(ReadMaterial("locked.mtl"), "#define material \"Gold\" {}");
#ifdef _WIN32
  // No permission forbids reading here; the file is read-only, and its write fails.
  const std::string locked = "error:write failed \"" + Library("locked.mtl").str() + "\"";
#else
  const std::string locked = "not find dic \"" + Library("locked.mtl").str() + "\"";
#endif
  EXPECT_EQ(LogLines(), (std::vector<std::string>{
                            "not find dic \"" + Library("binary.mtl").str() + "\"",
                            "not find dic \"" + Library("empty.mtl").str() + "\"", locked}));
}

TEST_F(BadInputTest, AHugeMaterialFile) {
  WriteDictionary("[dic]\r\nGold=金\r\n");
  const std::string body(200u << 20, 'b');
  WriteMaterial("huge.mtl", "#define material \"Gold\" {" + body);
  Run();
  const std::string after = ReadMaterial("huge.mtl");
  EXPECT_EQ(after.size(), body.size() + std::string("#define material \"金\" {").size());
  EXPECT_TRUE(after.starts_with("#define material \"金\" {"));
  EXPECT_TRUE(after.ends_with(body.substr(0, 1000)));
}

TEST_F(BadInputTest, FoldersThatCannotBeListedAndDeepPaths) {
  WriteDictionary("[dic]\r\nGold=金\r\nLocked=锁\r\n");
#ifndef _WIN32  // a folder's permissions forbid no listing there
  WriteMaterial("Locked/Gold.mtl", "#define material \"Gold\" {}");
  fs::permissions(dir.path() / "lib/Locked", fs::perms::owner_write);  // no listing
#endif
  WriteMaterial("Open/Gold.mtl", "#define material \"Gold\" {}");
  // A path of about 4,000 bytes.
  std::string deep;
  while (dir.path().string().size() + deep.size() < 3800) deep += std::string(190, 'd') + "/";
  WriteMaterial(deep + "Gold.mtl", "#define material \"Gold\" {}");
  Run();
#ifndef _WIN32
  fs::permissions(dir.path() / testing::PathOf("lib/锁"), fs::perms::owner_all);
  EXPECT_EQ(ReadMaterial("锁/Gold.mtl"), "#define material \"Gold\" {}");  // untouched inside
#endif
  EXPECT_EQ(ReadMaterial("Open/Gold.mtl"), "#define material \"金\" {}");
  EXPECT_EQ(ReadMaterial(deep + "Gold.mtl"), "#define material \"金\" {}");
}

// Does something to the file system after the first material file was renamed.
class AfterFirstMaterial : public JobObserver {
 public:
  explicit AfterFirstMaterial(std::function<void()> action) : action_(std::move(action)) {}
  void MaterialRenamed(const Text&, const Text&, const Text&) override {
    if (action_) std::exchange(action_, nullptr)();
  }

 private:
  std::function<void()> action_;
};

TEST_F(BadInputTest, TheMaterialFolderRemovedDuringAJob) {
  WriteDictionary("[dic]\r\nGold=金\r\n");
  for (int i = 0; i < 5; ++i)
    WriteMaterial("m" + std::to_string(i) + "/Gold.mtl", "#define material \"Gold\" {}");
  AfterFirstMaterial remove([this] { fs::remove_all(dir.path() / "lib"); });
  app.observer = &remove;
  const JobSummary summary = Run();
  EXPECT_EQ(summary.materialsWritten, 1);
  EXPECT_EQ(LogLines().size(), 4u);  // the four files it could no longer read
  for (Control control : kJobControls) EXPECT_FALSE(controls.IsDisabled(control));
}

TEST_F(BadInputTest, TheDictionaryChangedDuringAJob) {
  WriteDictionary("[dic]\r\nGold=金\r\n");
  WriteMaterial("a/Gold.mtl", "#define material \"Gold\" {}");
  WriteMaterial("b/Gold.mtl", "#define material \"Gold\" {}");
  controls.SetChecked(Control::选择框2, false);
  // Same length, written at once: only a watch or the bytes can tell.
  AfterFirstMaterial change(
      [this] { dir.Write("dic.ini", TextToBytes(Gbk("[dic]\r\nGold=银\r\n"))); });
  app.observer = &change;
  Run();
  EXPECT_EQ(ReadMaterial("a/Gold.mtl"), "#define material \"金\" {}");
  EXPECT_EQ(ReadMaterial("b/Gold.mtl"), "#define material \"银\" {}");
}

}  // namespace
}  // namespace vestrel
