#include "materials/material_pass.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>

#include "app/progress.h"
#include "support/job_fixture.h"

namespace vestrel {
namespace {

using testing::Gbk;

class MaterialPassTest : public testing::JobFixture {
 protected:
  // Runs the pass over the given materials (relative to the library) with the dictionary.
  int Run(std::initializer_list<const char*> materials) {
    TextArray list;
    for (const char* material : materials) list.push_back(Library(material));
    return RenameMaterials(app, list, dir.TextPath("dic.ini"));
  }
  void FromHeader() { controls.SetChecked(Control::单选框2, true); }
};

TEST(Progress, IsTruncatedAfterTheDoubleQuotient) {
  EXPECT_EQ(ProgressOf(1, 3), 33);
  EXPECT_EQ(ProgressOf(2, 3), 66);
  EXPECT_EQ(ProgressOf(3, 3), 100);
  EXPECT_EQ(ProgressOf(29, 100), 28);
  EXPECT_EQ(ProgressOf(57, 100), 56);
  EXPECT_EQ(ProgressOf(58, 100), 57);
}

TEST_F(MaterialPassTest, ForwardFromTheHeader) {
  WriteDictionary("[dic]\r\nGold=金\r\nSilver=银\r\n");
  WriteMaterial("a.mtl", "#define material \"Gold\" {\r\n  x 1\r\n}\r\n");
  WriteMaterial("b.mtl", "#define material xX53696c766572\n{\n}\n");
  WriteMaterial("c.mtl", "#define material \"Copper\" {}");
  FromHeader();
  EXPECT_EQ(Run({"a.mtl", "b.mtl", "c.mtl"}), 2);
  EXPECT_EQ(ReadMaterial("a.mtl"), "#define material \"金\" {\r\n  x 1\r\n}\r\n");
  EXPECT_EQ(ReadMaterial("b.mtl"), "#define material xXe993b6 {\n}\n");
  EXPECT_EQ(ReadMaterial("c.mtl"), "#define material \"Copper\" {}");  // silently skipped
  EXPECT_TRUE(LogLines().empty());
  EXPECT_EQ(controls.positions, (std::vector<int>{33, 66, 100}));
  EXPECT_EQ(controls.statuses, (std::vector<Text>{"a", "b", "c"}));
}

TEST_F(MaterialPassTest, ForwardFromTheFileNameAndBilingual) {
  WriteDictionary("[dic]\r\nGold=金\r\nBlank= \r\n");
  WriteMaterial("Gold.mtl", "#define material \"Whatever\" {}");
  WriteMaterial("Blank.mtl", "#define material \"Blank\" {}");
  controls.SetChecked(Control::选择框_DoubleL1, true);
  EXPECT_EQ(Run({"Gold.mtl", "Blank.mtl"}), 1);
  EXPECT_EQ(ReadMaterial("Gold.mtl"), "#define material \"Gold - 金\" {}");
  EXPECT_EQ(ReadMaterial("Blank.mtl"), "#define material \"Blank\" {}");
}

TEST_F(MaterialPassTest, ReverseFromTheHeader) {
  WriteDictionary("[dic]\r\nGold=金\r\nAurum=黄金\r\nOr=黄金\r\n");
  WriteMaterial("a.mtl", "#define material \"Gold - 金\" {}");
  WriteMaterial("b.mtl", "#define material \"NoSeparator\" {}");
  WriteMaterial("c.mtl", "#define material \"x - 黄金\" {}");
  FromHeader();
  controls.SetChecked(Control::选择框_Invert, true);
  controls.SetChecked(Control::选择框_DoubleL1, true);
  EXPECT_EQ(Run({"a.mtl", "b.mtl", "c.mtl"}), 1);
  EXPECT_EQ(ReadMaterial("a.mtl"), "#define material \"Gold\" {}");
  EXPECT_EQ(LogLines(),
            (std::vector<std::string>{"error:not find dic \"\"", "error:multiple results \"黄金\"",
                                      "error:not find dic \"黄金\""}));
}

TEST_F(MaterialPassTest, ReverseFromTheFileNameNeedsNoDictionary) {
  WriteDictionary("");
  WriteMaterial("Gold.mtl", "#define material xX41 {}");
  WriteMaterial(".mtl", "#define material \"A\" {}");  // an empty base name is never written
  controls.SetChecked(Control::选择框_Invert, true);
  EXPECT_EQ(Run({"Gold.mtl", ".mtl"}), 1);
  EXPECT_EQ(ReadMaterial("Gold.mtl"), "#define material xX476f6c64 {}");
  EXPECT_EQ(ReadMaterial(".mtl"), "#define material \"A\" {}");
  EXPECT_EQ(LogLines(), std::vector<std::string>{"not find dic \"" + Library(".mtl").str() + "\""});
}

TEST_F(MaterialPassTest, FilesWithoutAHeaderStayByteForByte) {
  WriteDictionary("[dic]\r\nGold=金\r\n");
  const std::string other("OTHER FORMAT\0\x01\x02 {", 18);
  WriteMaterial("Gold.mtl", other);
  EXPECT_EQ(Run({"Gold.mtl"}), 0);
  EXPECT_EQ(ReadMaterial("Gold.mtl"), other);
  FromHeader();
  EXPECT_EQ(Run({"Gold.mtl", "missing.mtl"}), 0);
  EXPECT_EQ(ReadMaterial("Gold.mtl"), other);
  EXPECT_EQ(LogLines(),
            (std::vector<std::string>{"not find dic \"" + Library("Gold.mtl").str() + "\"",
                                      "not find dic \"" + Library("missing.mtl").str() + "\""}));
}

TEST_F(MaterialPassTest, AFileListedTwiceIsTreatedTwice) {
  WriteDictionary("[dic]\r\nGold=Gold - Au\r\nGold - Au=Twice\r\n");
  WriteMaterial("a.mtl", "#define material \"Gold\" {}");
  FromHeader();
  EXPECT_EQ(Run({"a.mtl", "a.mtl"}), 2);
  EXPECT_EQ(ReadMaterial("a.mtl"), "#define material \"Twice\" {}");
}

TEST_F(MaterialPassTest, AFileThatCannotBeWrittenKeepsItsContentAndIsLogged) {
  WriteDictionary("[dic]\r\nGold=金\r\nSilver=银\r\n");
  WriteMaterial("Gold.mtl", "#define material \"Gold\" {}");
  WriteMaterial("Silver.mtl", "#define material \"Silver\" {}");
  std::filesystem::permissions(dir.path() / "lib/Gold.mtl", std::filesystem::perms::owner_read);
  EXPECT_EQ(Run({"Gold.mtl", "Silver.mtl"}), 1);
  EXPECT_EQ(ReadMaterial("Gold.mtl"), "#define material \"Gold\" {}");
  EXPECT_EQ(ReadMaterial("Silver.mtl"), "#define material \"银\" {}");
  EXPECT_EQ(LogLines(),
            std::vector<std::string>{"error:write failed \"" + Library("Gold.mtl").str() + "\""});
}

// A file-size limit makes the write fail part of the way; Windows has no such limit to set.
#ifndef _WIN32
TEST_F(MaterialPassTest, AWriteThatFailsHalfWayLeavesTheOriginal) {
  WriteDictionary("[dic]\r\nBig=" + std::string(2000, 'x') + "\r\nSmall=s\r\n");
  const std::string body(3000, 'b');
  WriteMaterial("Big.mtl", "#define material \"Big\" {" + body);
  WriteMaterial("Small.mtl", "#define material \"Small\" {}");
  // In a child, so that the file-size limit binds nothing else.
  pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    int written = Run({"Big.mtl", "Small.mtl"});
    bool logged = LogLines() == std::vector<std::string>{"error:write failed \"" +
                                                         Library("Big.mtl").str() + "\""};
    _exit(written == 1 && logged ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadMaterial("Big.mtl"), "#define material \"Big\" {" + body);
  EXPECT_EQ(ReadMaterial("Small.mtl"), "#define material \"s\" {}");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "lib"),
                          std::filesystem::directory_iterator()),
            2);
}
#endif

TEST_F(MaterialPassTest, AnEmptyListTouchesNothing) {
  WriteDictionary("[dic]\r\n");
  controls.SetProgress(42);
  EXPECT_EQ(Run({}), 0);
  EXPECT_EQ(controls.Progress(), 42);
  EXPECT_TRUE(controls.statuses.empty());
}

}  // namespace
}  // namespace vestrel
