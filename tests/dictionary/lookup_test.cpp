#include "dictionary/lookup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "support/temp_dir.h"

namespace vestrel {
namespace {

using testing::Gbk;
using testing::TempDir;

class LookupTest : public ::testing::Test {
 protected:
  // Writes a dictionary whose lines are given in UTF-8 and joined with CR LF.
  Text Dictionary(std::string_view utf8Lines) {
    dir_.Write("dic.ini", TextToBytes(Gbk(utf8Lines)));
    return dir_.TextPath("dic.ini");
  }
  Text Reverse(const Text& path, std::string_view valueUtf8) {
    return ReverseLookup(cache_, path, "dic", Gbk(valueUtf8), log_);
  }

  TempDir dir_;
  FailureLog log_;
  IniCache cache_;
};

TEST_F(LookupTest, ForwardReadsTheIniValue) {
  Text path = Dictionary("[dic]\r\nGold=金\r\nBlank=   \r\n");
  EXPECT_EQ(ForwardLookup(cache_, path, "Gold"), Gbk("金"));
  EXPECT_EQ(ForwardLookup(cache_, path, "gold"), Gbk("金"));
  EXPECT_EQ(ForwardLookup(cache_, path, "Copper"), Text());
  EXPECT_EQ(ForwardLookup(cache_, path, "Blank"), Text());
}

TEST_F(LookupTest, ReverseFindsTheKeyOfAValue) {
  Text path = Dictionary("[dic]\r\nGold=金\r\nSilver=银\r\n");
  EXPECT_EQ(Reverse(path, "金"), Text("Gold"));
  EXPECT_EQ(Reverse(path, "铜"), Text());
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(Reverse(path, "金 "), Text());
}

TEST_F(LookupTest, ReverseReportsAValueUnderSeveralKeys) {
  Text path = Dictionary("[dic]\r\nGold=金\r\nAurum=金\r\nEmpty=\r\nNone=\r\n");
  EXPECT_EQ(Reverse(path, "金"), Text());
  EXPECT_EQ(Reverse(path, ""), Text());
  EXPECT_EQ(log_.Lines(), Gbk("error:multiple results \"金\"\r\nerror:multiple results \"\"\r\n"));
}

TEST_F(LookupTest, ReverseSearchesOnlySectionDicUpToTheNextBracket) {
  struct Case {
    const char* dictionary;
    const char* value;
    const char* key;
  };
  const Case cases[] = {
      {"[other]\r\nX=金\r\n[dic]\r\nGold=金\r\n", "金", "Gold"},
      {"[DIC]\r\nGold=金\r\n", "金", ""},
      {"[dic]\r\nSteel[1]=钢\r\nIron=铁\r\n", "钢", ""},
      {"[dic]\r\nSteel[1]=钢\r\nIron=铁\r\n", "铁", ""},
      {"[dic]\r\nGold=金", "金", "Gold"},  // no line end after the last line
      {"[dic]\r\nGold = 金\r\n", " 金", "Gold "},
      {"[dic]\r\nGold = 金\r\n", "金", ""},
      {"[dic]\r\na=b=x\r\n", "x", "a=b"},
      {"[dic]\r\na=b=x\r\n", "b=x", "a"},
      {"[dic]\r\n=金\r\n", "金", ""},
      {"[dic]\r\nMetal=Gold\r\n", "gold", ""},
      {"[dic]\r\nEmpty=\r\n", "", "Empty"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Reverse(Dictionary(c.dictionary), c.value), Gbk(c.key)) << c.dictionary;
  }
}

TEST_F(LookupTest, ValuesAreMatchedCharacterForCharacter) {
  Text path = Dictionary(
      "[dic]\r\nDot=a.b\r\nDash=a-b\r\nPlus=Gold+\r\nAny=?\r\nBar=a|b\r\nSlash=C:\\(\r\n"
      "Digit=\\d\r\nGroup=(a){c}\r\nHat=^$\r\n");
  EXPECT_EQ(Reverse(path, "a.b"), Text("Dot"));
  EXPECT_EQ(Reverse(path, "a-b"), Text("Dash"));
  EXPECT_EQ(Reverse(path, "Gold+"), Text("Plus"));
  EXPECT_EQ(Reverse(path, "?"), Text("Any"));
  EXPECT_EQ(Reverse(path, "a|b"), Text("Bar"));
  EXPECT_EQ(Reverse(path, "C:\\("), Text("Slash"));
  EXPECT_EQ(Reverse(path, "\\d"), Text("Digit"));
  EXPECT_EQ(Reverse(path, "(a){c}"), Text("Group"));
  EXPECT_EQ(Reverse(path, "^$"), Text("Hat"));
  EXPECT_EQ(Reverse(path, "1"), Text());
  EXPECT_TRUE(log_.empty());
}

TEST_F(LookupTest, ReadOnlyDictionariesStillTranslateBothWays) {
  Text path = Dictionary("[dic]\r\nGold=金\r\n");
  std::filesystem::permissions(dir_.path() / "dic.ini", std::filesystem::perms::owner_read);
  EXPECT_EQ(Reverse(path, "金"), Text("Gold"));
  EXPECT_EQ(ForwardLookup(cache_, path, "Gold"), Gbk("金"));
}

TEST_F(LookupTest, Utf16DictionariesEndAtTheFirstNul) {
  static constexpr char kUtf16[] = "[\0d\0i\0c\0]\0\r\0\n\0G\0=\0x\0";
  dir_.Write("dic.ini", std::string(kUtf16, sizeof kUtf16 - 1));
  EXPECT_EQ(ReverseLookup(cache_, dir_.TextPath("dic.ini"), "dic", "x", log_), Text());
  EXPECT_EQ(ReadWholeText(dir_.TextPath("dic.ini")), Text("["));
}

TEST(ReadWholeText, StopsAtNulOrCtrlZThatBeginACharacter) {
  TempDir dir;
  struct Case {
    std::string content;
    std::string expected;
  };
  const Case cases[] = {
      {"abc", "abc"},
      {std::string("ab\0c", 4), "ab"},
      {"ab\x1A"
       "c",
       "ab"},
      {"\xB0\x1A"
       "c\x1A",
       "\xB0\x1A"
       "c"},                              // 0x1A as a trail byte belongs to its character
      {std::string("a\xB0\0c", 4), "a"},  // a lead byte before a NUL goes too
      {"a\xB0", "a\xB0"},
  };
  for (const auto& c : cases) {
    dir.Write("f.txt", c.content);
    EXPECT_EQ(ReadWholeText(dir.TextPath("f.txt")), Text(c.expected));
  }
  EXPECT_EQ(ReadWholeText(dir.TextPath("missing")), Text());
}

TEST(EscapeForPattern, EscapesEveryPatternCharacter) {
  EXPECT_EQ(EscapeForPattern("(a)[b]{c}"), Text("\\(a\\)\\[b\\]\\{c\\}"));
  EXPECT_EQ(EscapeForPattern("a.b"), Text("a\\.b"));
  EXPECT_EQ(EscapeForPattern("\\("), Text("\\\\\\("));
  EXPECT_EQ(EscapeForPattern("^$|?*+"), Text("\\^\\$\\|\\?\\*\\+"));
  // The trail byte 0x5C of a two-byte character is no backslash.
  EXPECT_EQ(EscapeForPattern("\x90\x5C"), Text("\x90\x5C"));
}

}  // namespace
}  // namespace vestrel

namespace vestrel {
namespace {

// The indexed reverse lookup must find exactly what the pattern finds: the same key and
// the same failure lines, over many generated dictionaries with awkward lines.
TEST(ReverseLookupIndex, AgreesWithThePattern) {
  testing::TempDir dir;
  std::mt19937 random(20261211);
  const std::vector<std::string> pieces = {"a",  "b",        "=",        "=",  " ",  "[",
                                           "]",  "\xBD\xF0", "\xD2\xF8", ".",  "*",  "(",
                                           "\\", "\r\n",     "\r\n",     "\n", "\r", "\t"};
  auto pick = [&](std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
  };
  auto randomText = [&](std::size_t most) {
    std::string text;
    for (std::size_t i = pick(most + 1); i > 0; --i) text += pieces[pick(pieces.size())];
    return text;
  };
  for (int round = 0; round < 300; ++round) {
    std::string dictionary = pick(4) == 0 ? "" : "[other]\r\nx=a\r\n";
    dictionary += pick(6) == 0 ? "[DIC]\r\n" : "[dic]\r\n";
    std::vector<std::string> values = {"", "a", "b", " a", "\xBD\xF0"};
    for (std::size_t line = pick(12); line > 0; --line) {
      std::string key = randomText(3);
      std::string value = randomText(3);
      dictionary += key + "=" + value + (pick(5) == 0 ? "=" + randomText(2) : "") + "\r\n";
      values.push_back(value);
      if (pick(4) == 0) dictionary += key + "=" + value + "\r\n";  // a value found twice
    }
    if (pick(3) == 0) dictionary += "[tail]\r\ny=b";
    dir.Write("dic.ini", dictionary);
    for (int extra = 0; extra < 5; ++extra) values.push_back(randomText(3));

    IniCache cache;
    for (const std::string& raw : values) {
      const Text value(raw);
      FailureLog indexed;
      FailureLog pattern;
      EXPECT_EQ(ReverseLookup(cache, dir.TextPath("dic.ini"), "dic", value, indexed),
                ReverseLookupByPattern(dir.TextPath("dic.ini"), "dic", value, pattern))
          << "dictionary: " << dictionary << "\nvalue: " << raw;
      EXPECT_EQ(indexed.Lines(), pattern.Lines());
    }
  }
}

TEST(ReverseLookupIndex, SeesAChangedDictionary) {
  testing::TempDir dir;
  IniCache cache;
  FailureLog log;
  dir.Write("dic.ini", "[dic]\r\nGold=Au\r\n");
  EXPECT_EQ(ReverseLookup(cache, dir.TextPath("dic.ini"), "dic", "Au", log), Text("Gold"));
  dir.Write("dic.ini", "[dic]\r\nGilt=Au\r\n");
  EXPECT_EQ(ReverseLookup(cache, dir.TextPath("dic.ini"), "dic", "Au", log), Text("Gilt"));
}

}  // namespace
}  // namespace vestrel
