#include "app/rename_job.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/status_texts.h"
#include "support/job_fixture.h"

namespace vestrel {
namespace {

using testing::Gbk;
using testing::ReadFile;

class RenameJobTest : public testing::JobFixture {
 protected:
  void SetUp() override {
    WriteDictionary("[dic]\r\nGold=金\r\nMetal=金属\r\n");
    WriteMaterial("Metal/Gold.mtl", "#define material \"Gold\" {}");
    controls.SetText(Control::编辑框_ksmp, Library());
  }
};

TEST_F(RenameJobTest, StartChecksNameEveryFailingPath) {
  dir.MakeFolder("empty");
  dir.Write("upper.INI", "");
  dir.Write("noext", "");
  dir.MakeFolder("folder.ini");
  using P = StartProblem;
  struct Case {
    Text folder;
    Text dictionary;
    std::vector<StartProblem> problems;
  };
  const Case cases[] = {
      {Library(), dir.TextPath("dic.ini"), {}},
      {"  " + Library() + Gbk("　"), " " + dir.TextPath("dic.ini") + " ", {}},
      {dir.TextPath("empty"), dir.TextPath("dic.ini"), {P::kMaterialFolderEmpty}},
      {dir.TextPath("dic.ini"), dir.TextPath("dic.ini"), {P::kMaterialFolderNotAFolder}},
      {dir.TextPath("missing"), dir.TextPath("dic.ini"), {P::kMaterialFolderNotAFolder}},
      {Library(), dir.TextPath("upper.INI"), {P::kDictionaryNotIni}},
      {Library(), dir.TextPath("noext"), {P::kDictionaryNotIni}},
      {Library(), dir.TextPath("missing.ini"), {P::kDictionaryMissing}},
      {Library(), dir.TextPath("folder.ini"), {}},  // a folder passes; the job then reads nothing
      {"", "", {P::kMaterialFolderNotAFolder, P::kDictionaryMissing, P::kDictionaryNotIni}},
  };
  for (const auto& c : cases) {
    controls.SetText(Control::编辑框_ksmp, c.folder);
    controls.SetText(Control::编辑框_Dic, c.dictionary);
    EXPECT_EQ(StartProblems(controls), c.problems) << c.folder.str() << " " << c.dictionary.str();
    EXPECT_EQ(StartChecksPass(controls), c.problems.empty());
  }
}

// Notes whether the job's controls were disabled whenever a change was made.
class DisabledWatcher : public JobObserver {
 public:
  explicit DisabledWatcher(const Controls& controls) : controls_(controls) {}
  void MaterialRenamed(const Text&, const Text&, const Text&) override { Check(); }
  void FolderRenamed(const Text&, const Text&) override { Check(); }
  int changes = 0;
  bool allDisabled = true;

 private:
  void Check() {
    ++changes;
    for (Control control : kJobControls) allDisabled = allDisabled && controls_.IsDisabled(control);
  }
  const Controls& controls_;
};

TEST_F(RenameJobTest, AWholeJob) {
  DisabledWatcher watcher(controls);
  app.observer = &watcher;
  AppendFailure(app.failureLog, "from an earlier job");
  controls.SetChecked(Control::选择框_DoubleL2, true);
  JobSummary summary = RenameJob(app);
  EXPECT_TRUE(summary.ran);
  EXPECT_EQ(summary.materialsWritten, 1);
  EXPECT_EQ(summary.foldersRenamed, 1);
  EXPECT_EQ(ReadMaterial("Metal - 金属/Gold.mtl"), "#define material \"金\" {}");
  EXPECT_EQ(watcher.changes, 2);
  EXPECT_TRUE(watcher.allDisabled);
  for (Control control : kJobControls) EXPECT_FALSE(controls.IsDisabled(control));
  EXPECT_EQ(controls.Status(), kStatusDone);
  EXPECT_TRUE(app.failureLog.empty());
  EXPECT_EQ(app.materialList, TextArray{Library("Metal/Gold.mtl")});
  EXPECT_EQ(ReadFile(dir.path() / "dic.ini"),
            TextToBytes(Gbk("[dic]\r\nGold=金\r\nMetal=金属\r\n")) +
                "[configs]\r\nMaterialFolder=" + Library().str() +
                "\r\nFolderName=true\r\nMaterialFolde=true\r\nFolderNameDoubleLang=true\r\n"
                "MaterialFoldeDoubleLang=false\r\nFrom=0\r\n");
}

TEST_F(RenameJobTest, NothingTickedDoesNothing) {
  controls.SetChecked(Control::选择框1, false);
  controls.SetChecked(Control::选择框2, false);
  controls.SetStatus("before");
  EXPECT_FALSE(RenameJob(app).ran);
  EXPECT_EQ(controls.Status(), Text("before"));
  EXPECT_EQ(ReadFile(dir.path() / "dic.ini"),
            TextToBytes(Gbk("[dic]\r\nGold=金\r\nMetal=金属\r\n")));
  EXPECT_TRUE(Exists("Metal/Gold.mtl"));
}

TEST_F(RenameJobTest, FoldersOnlyLeavesTheMaterials) {
  controls.SetChecked(Control::选择框1, false);
  RenameJob(app);
  EXPECT_EQ(ReadMaterial("金属/Gold.mtl"), "#define material \"Gold\" {}");
}

TEST_F(RenameJobTest, AStoppedJobChangesNothingAndStillEnds) {
  std::stop_source stop;
  stop.request_stop();
  JobSummary summary = RenameJob(app, stop.get_token());
  EXPECT_TRUE(summary.stopped);
  EXPECT_EQ(summary.materialsWritten + summary.foldersRenamed, 0);
  EXPECT_EQ(ReadMaterial("Metal/Gold.mtl"), "#define material \"Gold\" {}");
  EXPECT_EQ(controls.Status(), kStatusDone);
  for (Control control : kJobControls) EXPECT_FALSE(controls.IsDisabled(control));
}

TEST_F(RenameJobTest, ANameGbkCannotHoldIsReportedOnce) {
  WriteMaterial("Metal/Smile😀/Inner.mtl", "#define material \"Gold\" {}");
  RenameJob(app);
  EXPECT_EQ(LogLines(), std::vector<std::string>{"error:unsupported name \"" +
                                                 Library("Metal/Smile?").str() + "\""});
  EXPECT_EQ(ReadMaterial("金属/Smile😀/Inner.mtl"), "#define material \"Gold\" {}");
}

TEST_F(RenameJobTest, ADryRunPlansWithoutChanging) {
  class Plan : public JobObserver {
   public:
    void MaterialRenamed(const Text& path, const Text& oldName, const Text& newName) override {
      lines.push_back(path.str() + "|" + oldName.str() + "|" + newName.str());
    }
    void FolderRenamed(const Text& from, const Text& to) override {
      lines.push_back(from.str() + "|" + to.str());
    }
    std::vector<std::string> lines;
  } plan;
  const std::string dictionary = ReadFile(dir.path() / "dic.ini");
  app.dryRun = true;
  app.observer = &plan;
  JobSummary summary = RenameJob(app);
  EXPECT_EQ(summary.materialsWritten, 1);
  EXPECT_EQ(summary.foldersRenamed, 1);
  EXPECT_EQ(plan.lines,
            (std::vector<std::string>{Library("Metal/Gold.mtl").str() + "|Gold|" + Gbk("金").str(),
                                      Library("Metal").str() + "|" + Library("金属").str()}));
  EXPECT_EQ(ReadMaterial("Metal/Gold.mtl"), "#define material \"Gold\" {}");
  EXPECT_EQ(ReadFile(dir.path() / "dic.ini"), dictionary);
}

}  // namespace
}  // namespace vestrel
