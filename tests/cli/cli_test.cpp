// End-to-end tests of the built vestrel-cli on libraries in temporary folders.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "support/child_process.h"
#include "support/temp_dir.h"
#include "text/paths.h"

namespace vestrel {
namespace {

namespace fs = std::filesystem;
using testing::ChildProcess;
using testing::Gbk;
using testing::ReadFile;
using testing::Snapshot;
using testing::TempDir;
using testing::Tree;

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("dic.ini",
               TextToBytes(Gbk("[dic]\r\nGold=金\r\nSilver=银\r\nMetal=金属\r\nWood=木\r\n")));
    dir_.Write("lib/Metal/Gold.mtl", "#define material \"Gold\" {\r\n  a 1\r\n}\r\n");
    dir_.Write("lib/Metal/Silver.mtl", "#define material xX53696c766572\n{\n}\n");
    dir_.Write("lib/Wood/Unknown.mtl", "#define material \"Unknown\" {}");
  }

  // Runs vestrel-cli in the temporary folder; `whileRunning` is called once it started.
  Result Run(const std::vector<std::string>& arguments,
             const std::function<void(ChildProcess&)>& whileRunning = {}) {
    const fs::path out = dir_.path() / ".out";
    const fs::path err = dir_.path() / ".err";
    int status = -1;
    {
      ChildProcess child(VESTREL_CLI, arguments, dir_.path(), out, err);
      if (whileRunning) whileRunning(child);
      status = child.Wait();
    }
    Result result{status, ReadFile(out), ReadFile(err)};
    fs::remove(out);
    fs::remove(err);
    return result;
  }

  Tree Library() const { return Snapshot(dir_.path() / "lib"); }
  std::string Dictionary() const { return ReadFile(dir_.path() / "dic.ini"); }

  TempDir dir_;
};

TEST_F(CliTest, ForwardFromTheHeaderWithFoldersAndBilingualNames) {
  Result result = Run({"--from", "header", "--bilingual-materials", "dic.ini", "lib"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            "vestrel-cli: 2 material files written, 2 folders renamed, 0 failure lines\n");
  const Tree expected = {
      {"木", "/"},
      {"木/Unknown.mtl", "#define material \"Unknown\" {}"},
      {"金属", "/"},
      {"金属/Gold.mtl", "#define material \"Gold - 金\" {\r\n  a 1\r\n}\r\n"},
      {"金属/Silver.mtl", "#define material xX53696c766572202d20e993b6 {\n}\n"},
  };
  EXPECT_EQ(Library(), expected);
  // The settings are stored as the window stores them, the material folder as given.
  EXPECT_TRUE(Dictionary().ends_with(
      "[configs]\r\nMaterialFolder=lib\r\nFolderName=true\r\nMaterialFolde=true\r\n"
      "FolderNameDoubleLang=false\r\nMaterialFoldeDoubleLang=true\r\nFrom=1\r\n"));
}

TEST_F(CliTest, ReverseUndoesForward) {
  const Tree original = Library();
  ASSERT_EQ(Run({"--from", "header", "-q", "dic.ini", "lib"}).status, 0);
  EXPECT_NE(Library(), original);
  // The stored settings now say "from the header"; reverse needs no other option.
  Result back = Run({"--reverse", "dic.ini"});
  EXPECT_EQ(back.status, 1) << back.err;  // "Unknown" has no key
  EXPECT_TRUE(back.err.ends_with("error:not find dic \"Unknown\"\n"));
  Tree restored = Library();
  EXPECT_EQ(restored["Metal/Gold.mtl"], "#define material \"Gold\" {\r\n  a 1\r\n}\r\n");
  EXPECT_EQ(restored["Metal/Silver.mtl"], "#define material xX53696c766572 {\n}\n");
  EXPECT_TRUE(restored.contains("Wood"));
}

TEST_F(CliTest, NamesFromFileNamesAndLogLines) {
  dir_.Write("lib/Metal/Copper.mtl", "#define material \"x\" {}");
  Result result =
      Run({"--no-folders", "--from", "name", "--reverse", "--log", "out.log", "dic.ini", "lib"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(ReadFile(dir_.path() / "lib/Metal/Copper.mtl"), "#define material \"Copper\" {}");

  result =
      Run({"--no-folders", "--from", "header", "--reverse", "--log", "out.log", "dic.ini", "lib"});
  EXPECT_EQ(result.status, 1);
  // GBK with CR LF, exactly as log.txt would hold it; standard error has it in UTF-8.
  EXPECT_EQ(ReadFile(dir_.path() / "out.log"),
            "error:not find dic \"Copper\"\r\nerror:not find dic \"Gold\"\r\n"
            "error:not find dic \"Silver\"\r\nerror:not find dic \"Unknown\"\r\n");
  EXPECT_TRUE(result.err.ends_with("error:not find dic \"Unknown\"\n"));
  EXPECT_FALSE(fs::exists(fs::path(VESTREL_CLI).parent_path() / "log.txt"));
}

TEST_F(CliTest, EveryFailedCheckIsNamed) {
  dir_.MakeFolder("empty");
  dir_.Write("upper.INI", "");
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  };
  const Case cases[] = {
      {{"dic.ini", "empty"}, "the material folder \"empty\" is empty"},
      {{"dic.ini", "missing"}, "\"missing\" does not exist or is not a folder"},
      {{"dic.ini", "dic.ini"}, "\"dic.ini\" does not exist or is not a folder"},
      {{"missing.ini", "lib"}, "the dictionary \"missing.ini\" does not exist"},
      {{"upper.INI", "lib"}, "does not end in \".ini\""},
  };
  for (const auto& c : cases) {
    Result result = Run(c.arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  Result both = Run({"missing.ini", "missing"});
  EXPECT_EQ(both.err,
            "vestrel-cli: the material folder \"missing\" does not exist or is not a folder\n"
            "vestrel-cli: the dictionary \"missing.ini\" does not exist\n");
}

TEST_F(CliTest, BadUsageAndUnholdablePathsAreRefused) {
  for (const auto& arguments :
       std::vector<std::vector<std::string>>{{},
                                             {"--bogus", "dic.ini"},
                                             {"--from", "nowhere", "dic.ini"},
                                             {"a", "b", "c"},
                                             {"--log"}}) {
    Result result = Run(arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("usage: vestrel-cli"), std::string::npos);
  }
  Result emoji = Run({"dic.ini", "lib😀"});
  EXPECT_EQ(emoji.status, 2);
  EXPECT_NE(emoji.err.find("GBK"), std::string::npos);
  EXPECT_EQ(Run({"--help"}).status, 0);
  EXPECT_TRUE(Run({"--version"}).out.starts_with("vestrel-cli "));
}

TEST_F(CliTest, NothingTicked) {
  const std::string dictionary = Dictionary();
  Result result = Run({"--no-materials", "--no-folders", "dic.ini", "lib"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.err.find("nothing to do"), std::string::npos);
  EXPECT_EQ(Dictionary(), dictionary);
}

TEST_F(CliTest, ALogFileThatCannotBeWritten) {
  Result result = Run({"--log", "no/such/folder/log.txt", "dic.ini", "lib"});
  EXPECT_EQ(result.status, 3);
}

// A path as the plan prints it: the system's separator, and a backslash doubled.
std::string PlanPath(const std::string& slashed) {
  std::string printed;
  for (char c : slashed) printed += c == '/' && kPathSeparator == '\\' ? "\\\\" : std::string(1, c);
  return printed;
}

TEST_F(CliTest, DryRunChangesNothingAndPlansWhatTheRealRunDoes) {
#ifndef _WIN32  // Windows allows no control character in a name
  dir_.Write("lib/Metal/Tab\tName.mtl", "#define material \"Gold\" {}");
  const std::string tabbed = "material\tlib/Metal/Tab\\tName.mtl\tGold\t金\n";
#else
  const std::string tabbed;
#endif
  dir_.MakeFolder("lib/Stone");
  const Tree before = Library();
  const std::string dictionary = Dictionary();
  Result plan = Run({"--dry-run", "--from", "header", "--log", "plan.log", "dic.ini", "lib"});
  EXPECT_EQ(plan.status, 1);
  EXPECT_EQ(Library(), before);
  EXPECT_EQ(Dictionary(), dictionary);
  EXPECT_EQ(plan.out, PlanPath("material\tlib/Metal/Gold.mtl\tGold\t金\n"
                               "material\tlib/Metal/Silver.mtl\tSilver\t银\n" +
                               tabbed +
                               "folder\tlib/Wood\tlib/木\n"
                               "folder\tlib/Metal\tlib/金属\n"));
  EXPECT_EQ(ReadFile(dir_.path() / "plan.log"), "not find dic \"Stone\"\r\n");

  Result real = Run({"--from", "header", "--log", "real.log", "dic.ini", "lib"});
  EXPECT_EQ(real.status, 1);
  EXPECT_EQ(ReadFile(dir_.path() / "real.log"), ReadFile(dir_.path() / "plan.log"));
  Tree after = Library();
  EXPECT_EQ(after["金属/Gold.mtl"], "#define material \"金\" {\r\n  a 1\r\n}\r\n");
  EXPECT_EQ(after["金属/Silver.mtl"], "#define material xXe993b6 {\n}\n");
#ifndef _WIN32
  EXPECT_EQ(after["金属/Tab\tName.mtl"], "#define material \"金\" {}");
#endif
  EXPECT_TRUE(after.contains("木"));
}

TEST_F(CliTest, SigtermStopsBetweenItemsAndLeavesWholeFiles) {
#ifdef _WIN32
  // Ctrl-Break reaches a program only through a console, which Wine gives no test program.
  GTEST_SKIP() << "no console to send Ctrl-Break through";
#endif
  const std::string old = "#define material \"Gold\" {\r\n" + std::string(20000, 'p') + "\r\n}\r\n";
  const std::string renamed =
      "#define material \"金\" {\r\n" + std::string(20000, 'p') + "\r\n}\r\n";
  for (int i = 0; i < 4000; ++i) dir_.Write("big/f" + std::to_string(i) + "/Gold.mtl", old);
  Result result =
      Run({"-q", "--no-folders", "--from", "header", "dic.ini", "big"}, [](ChildProcess& child) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        child.AskToStop();
      });
  EXPECT_EQ(result.status, 130);
  int changed = 0;
  for (const auto& [path, content] : Snapshot(dir_.path() / "big")) {
    if (content == "/") continue;
    ASSERT_TRUE(content == old || content == renamed) << path;
    changed += content == renamed ? 1 : 0;
  }
  EXPECT_LT(changed, 4000);
}

}  // namespace
}  // namespace vestrel
