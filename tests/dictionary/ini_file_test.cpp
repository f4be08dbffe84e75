#include "dictionary/ini_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "support/temp_dir.h"

namespace vestrel {
namespace {

using testing::Gbk;
using testing::ReadFile;
using testing::TempDir;

struct ReadCase {
  const char* content;
  const char* section;
  const char* key;
  std::optional<const char*> expected;
};

TEST(IniRead, FollowsTheProfileRules) {
  const ReadCase cases[] = {
      {"[dic]\r\nGold=Au\r\n", "dic", "Gold", "Au"},
      {"[dic]\nGold=Au", "dic", "Gold", "Au"},        // LF only, no final line break
      {"[dic]\rGold=Au\r", "dic", "Gold", "Au"},      // CR only
      {"[DIC]\r\ngold=Au\r\n", "dic", "GOLD", "Au"},  // ASCII letters fold
      {"  [ dic ] trailing\r\n\t Gold \t=  Au b \r\n", "dic", "Gold", "Au b"},
      {"[dic\r\nGold=Au\r\n", "dic", "Gold", "Au"},             // header without "]"
      {"[ dic]\r\nGold=Au\r\n", " dic ", " Gold ", "Au"},       // names lose spaces
      {"[dic]\r\n;Gold=Au\r\n", "dic", ";Gold", std::nullopt},  // a comment
      {"[dic]\r\n  ;Gold=Au\r\n", "dic", "Gold", std::nullopt},
      {"[dic]\r\nGold=Au;not a comment\r\n", "dic", "Gold", "Au;not a comment"},
      {"[dic]\r\n#Gold=Au\r\n", "dic", "#Gold", "Au"},        // "#" is text
      {"Gold=Au\r\n[dic]\r\n", "dic", "Gold", std::nullopt},  // before any section
      {"[dic]\r\nGold\r\n", "dic", "Gold", std::nullopt},     // no "="
      {"[dic]\r\nGold=\r\n", "dic", "Gold", ""},
      {"[dic]\r\na=b=c\r\n", "dic", "a", "b=c"},
      {"[dic]\r\nGold=1\r\nGold=2\r\n", "dic", "Gold", "1"},           // the first key wins
      {"[dic]\r\nA=1\r\n[dic]\r\nB=2\r\n", "dic", "B", std::nullopt},  // only the first section
      {"[dic]\r\nv=\"quoted\"\r\n", "dic", "v", "quoted"},
      {"[dic]\r\nv='single'\r\n", "dic", "v", "single"},
      {"[dic]\r\nv=\"mixed'\r\n", "dic", "v", "\"mixed'"},
      {"[dic]\r\nv=\"\r\n", "dic", "v", "\""},
      {"[dic]\r\nv=\"\"\"\"\r\n", "dic", "v", "\"\""},
      {"[other]\r\nGold=Au\r\n", "dic", "Gold", std::nullopt},
  };
  for (const auto& c : cases) {
    auto value = FindIniValue(c.content, c.section, c.key);
    if (c.expected) {
      EXPECT_EQ(value, Text(*c.expected)) << c.content;
    } else {
      EXPECT_EQ(value, std::nullopt) << c.content;
    }
  }
}

TEST(IniRead, MatchesNamesByGbkCharacters) {
  // 金 is BD F0; the trail byte of "\x81\x41" is the letter A and must not fold.
  const Text content = Gbk("[字典]\r\n金=gold\r\n") + "\x81\x41=x\r\n";
  EXPECT_EQ(FindIniValue(content.view(), Gbk("字典"), Gbk("金")), Text("gold"));
  EXPECT_EQ(FindIniValue(content.view(), Gbk("字典"), "\x81\x41"), Text("x"));
  EXPECT_EQ(FindIniValue(content.view(), Gbk("字典"), "\x81\x61"), std::nullopt);
}

TEST(IniRead, LongValuesAreCut) {
  TempDir dir;
  dir.Write("d.ini", "[configs]\r\nMaterialFolder=" + std::string(12000, 'x') + "\r\n");
  Text value = ReadIniValue(dir.TextPath("d.ini"), "configs", "MaterialFolder");
  EXPECT_EQ(value.size(), kIniValueLimit);
}

TEST(IniRead, BlankNamesReadNothingWithoutOpeningTheFile) {
  TempDir dir;
  dir.Write("d.ini", "[dic]\r\nGold=Au\r\n");
  EXPECT_EQ(ReadIniValue(dir.TextPath("d.ini"), "dic", "Gold"), Text("Au"));
  EXPECT_EQ(ReadIniValue(" \t" + dir.TextPath("d.ini"), "\x01 dic", " Gold"), Text("Au"));
  EXPECT_EQ(ReadIniValue(dir.TextPath("d.ini"), "  ", "Gold"), Text());
  EXPECT_EQ(ReadIniValue(dir.TextPath("d.ini"), "dic", " \t"), Text());
  EXPECT_EQ(ReadIniValue("  ", "dic", "Gold"), Text());
  EXPECT_EQ(ReadIniValue(dir.TextPath("missing.ini"), "dic", "Gold"), Text());
}

struct WriteCase {
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

TEST(IniWrite, EditsInPlace) {
  const WriteCase cases[] = {
      {"", "configs", "From", "1", "[configs]\r\nFrom=1\r\n"},
      {"[configs]\r\nFrom=0\r\n", "configs", "From", "1", "[configs]\r\nFrom=1\r\n"},
      {"[configs]\r\n  from = 0 \n[dic]\r\n", "configs", "From", "1",
       "[configs]\r\n  from=1\n[dic]\r\n"},
      {"[configs]\r\nA=1\r\n; note\r\n\r\n[dic]\r\n", "configs", "B", "2",
       "[configs]\r\nA=1\r\nB=2\r\n; note\r\n\r\n[dic]\r\n"},
      {"[configs]\r\n[dic]\r\n", "configs", "B", "2", "[configs]\r\nB=2\r\n[dic]\r\n"},
      {"[configs]\r\nA=1", "configs", "B", "2", "[configs]\r\nA=1\r\nB=2\r\n"},
      {"[dic]\r\nGold=Au", "configs", "B", "2", "[dic]\r\nGold=Au\r\n[configs]\r\nB=2\r\n"},
      {"[dic]\nGold=Au\n", "configs", "B", "2", "[dic]\nGold=Au\n[configs]\r\nB=2\r\n"},
      {"[c]\r\nA=1\r\n[c]\r\nB=1\r\n", "c", "B", "2", "[c]\r\nA=1\r\nB=2\r\n[c]\r\nB=1\r\n"},
      {"[configs]\r\nA=1\r\n", " configs ", " A ", "", "[configs]\r\nA=\r\n"},
      {"[configs]\r\nA=1\r\n", "configs", "A", " padded ", "[configs]\r\nA=\" padded \"\r\n"},
      {"[configs]\r\nA=1\r\n", "configs", "A", "\"q\"", "[configs]\r\nA=\"\"q\"\"\r\n"},
      {"[configs]\r\nA=1\r\n", "configs", "A", "a;b#c", "[configs]\r\nA=a;b#c\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SetIniValue(c.before, c.section, c.key, c.value), c.after) << c.before;
  }
}

TEST(IniWrite, RefusesWhatCannotBeOneLine) {
  EXPECT_EQ(SetIniValue("", "configs", "A", "x\r\n[evil]"), std::nullopt);
  EXPECT_EQ(SetIniValue("", "configs", "A", "x\ny"), std::nullopt);
  EXPECT_EQ(SetIniValue("", "con]figs", "A", "x"), std::nullopt);
  EXPECT_EQ(SetIniValue("", "configs", "A=B", "x"), std::nullopt);
  EXPECT_EQ(SetIniValue("", "configs", "", "x"), std::nullopt);
}

TEST(IniWrite, EveryValueReadsBack) {
  const char* values[] = {"",    " ",   "  lead",    "trail\t",   "\"",   "\"\"", "'x'", "\"x'",
                          "a=b", "[x]", "; comment", "C:\\lib\\", "金属", "€",    "xX41"};
  for (const char* raw : values) {
    Text value = Gbk(raw);
    auto content = SetIniValue("[configs]\r\nA=old\r\n", "configs", "A", value);
    ASSERT_TRUE(content) << raw;
    EXPECT_EQ(FindIniValue(*content, "configs", "A"), value) << raw;
    auto fresh = SetIniValue("", "configs", "A", value);
    EXPECT_EQ(FindIniValue(*fresh, "configs", "A"), value) << raw;
  }
  std::string longValue(kIniValueLimit, 'v');
  auto content = SetIniValue("", "configs", "A", Text(longValue));
  EXPECT_EQ(FindIniValue(*content, "configs", "A"), Text(longValue));
}

TEST(IniWrite, WritesTheFileAtomicallyOrNotAtAll) {
  TempDir dir;
  dir.Write("d.ini", "[dic]\r\nGold=Au\r\n");
  ASSERT_TRUE(WriteIniValue(dir.TextPath("d.ini"), "configs", "From", "0"));
  EXPECT_EQ(ReadFile(dir.path() / "d.ini"), "[dic]\r\nGold=Au\r\n[configs]\r\nFrom=0\r\n");
  EXPECT_TRUE(WriteIniValue(dir.TextPath("new.ini"), "configs", "From", "0"));
  EXPECT_EQ(ReadFile(dir.path() / "new.ini"), "[configs]\r\nFrom=0\r\n");

  EXPECT_FALSE(WriteIniValue(dir.TextPath("d.ini"), "configs", "From", "a\r\n[x]"));
  EXPECT_FALSE(WriteIniValue(dir.TextPath("no/such/folder.ini"), "configs", "From", "0"));
  std::filesystem::permissions(dir.path() / "d.ini", std::filesystem::perms::owner_read);
  EXPECT_FALSE(WriteIniValue(dir.TextPath("d.ini"), "configs", "From", "1"));
  EXPECT_EQ(ReadFile(dir.path() / "d.ini"), "[dic]\r\nGold=Au\r\n[configs]\r\nFrom=0\r\n");
}

TEST(IniWrite, BooleanTexts) {
  EXPECT_TRUE(IsTrueText("true"));
  EXPECT_TRUE(IsTrueText("TrUe"));
  EXPECT_FALSE(IsTrueText("1"));
  EXPECT_FALSE(IsTrueText(""));
  EXPECT_FALSE(IsTrueText(" true"));
  EXPECT_EQ(BoolText(true), Text("true"));
  EXPECT_EQ(BoolText(false), Text("false"));
}

TEST(IniCacheTest, SeesEveryChangeOfTheFile) {
  for (bool watchFiles : {true, false}) {
    TempDir dir;
    IniCache cache(watchFiles);
    const Text path = dir.TextPath("d.ini");
    dir.Write("d.ini", "[dic]\r\nGold=1\r\n");
    EXPECT_EQ(ReadIniValue(cache, path, "dic", "Gold"), Text("1"));
    EXPECT_EQ(ReadIniValue(cache, path, "dic", "Gold"), Text("1"));
    // Same size, written within the same instant: only the bytes tell.
    dir.Write("d.ini", "[dic]\r\nGold=2\r\n");
    EXPECT_EQ(ReadIniValue(cache, path, "dic", "Gold"), Text("2"));

    // A file whose times were set back into the past, then rewritten in place with the
    // same size and the same times.
    dir.Write("d.ini", "[dic]\r\nGold=3\r\n");
    const auto old =
        std::filesystem::last_write_time(dir.path() / "d.ini") - std::chrono::hours(24 * 365 * 30);
    std::filesystem::last_write_time(dir.path() / "d.ini", old);
    EXPECT_EQ(ReadIniValue(cache, path, "dic", "Gold"), Text("3"));
    dir.Write("d.ini", "[dic]\r\nGold=4\r\n");
    std::filesystem::last_write_time(dir.path() / "d.ini", old);
    EXPECT_EQ(ReadIniValue(cache, path, "dic", "Gold"), Text("4"));

    std::filesystem::remove(dir.path() / "d.ini");
    EXPECT_EQ(ReadIniValue(cache, path, "dic", "Gold"), Text());
  }
}

}  // namespace
}  // namespace vestrel
