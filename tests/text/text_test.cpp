#include "text/text.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vestrel {
namespace {

using testing::Gbk;

// A two-byte character whose second byte is the backslash byte (GBK 0x905C).
const Text kTrail5C = "\x90\x5C";
// A two-byte character whose second byte is the letter 'a' (GBK 0x8161).
const Text kTrailA = "\x81\x61";

TEST(TextModel, HoldsNoNulByConstruction) {
  EXPECT_EQ(Text(std::string_view("a\0b", 3)), Text("a"));
  EXPECT_EQ(Text(std::string("\0x", 2)), Text());
  EXPECT_EQ(BytesToText(std::string_view("\x61\x00\x62", 3)), Text("a"));
  EXPECT_EQ(Text(), Text(""));
}

TEST(TextModel, CutsByBytes) {
  EXPECT_EQ(TextLeft("abc", 5), Text("abc"));
  EXPECT_EQ(TextLeft("abc", 0), Text());
  EXPECT_EQ(TextLeft("abc", -1), Text());
  EXPECT_EQ(TextRight("abc", 2), Text("bc"));
  EXPECT_EQ(TextRight("abc", 0), Text());
  EXPECT_EQ(TextMid("abc", 4, 1), Text());
  EXPECT_EQ(TextMid("abc", 2, 9), Text("bc"));
  EXPECT_EQ(TextMid("abc", 0, 2), Text());
  EXPECT_EQ(TextMid("abc", 1, 0), Text());
  // Cutting may split a two-byte character.
  EXPECT_EQ(TextRight("x" + kTrail5C, 1), Text("\x5C"));
  EXPECT_EQ(BlankText(3), Text("   "));
  EXPECT_EQ(BlankText(0), Text());
}

TEST(TextModel, ComparesBytesUnsigned) {
  EXPECT_LT(CompareText("a", "b"), 0);
  EXPECT_LT(CompareText("ab", "abc"), 0);
  EXPECT_GT(CompareText("\x80", "a"), 0);
  EXPECT_GT(CompareText("a", "A"), 0);
  EXPECT_EQ(CompareText("", Text()), 0);
  EXPECT_EQ(ConcatText("a", "b", "c"), Text("abc"));
}

struct FindCase {
  Text text;
  Text sought;
  Pos start;
  bool ignoreCase;
  Pos expected;
};

TEST(TextModel, FindText) {
  const FindCase cases[] = {
      {"a.b.c", ".", 3, false, 4},
      {"a.b.c", ".", 0, false, 2},
      {"a.b.c", ".", -5, false, 2},
      {"a.b.c", ".", 6, false, -1},
      {"abc", "", 1, false, 1},
      {"", "", 1, false, -1},
      {"abc", "", 4, false, -1},
      {"xAy", "a", 1, true, 2},
      {"xAy", "a", 1, false, -1},
      {"x[y", "{", 1, true, -1},  // only letters fold, not [ and {
      // The second byte of a two-byte character never starts an occurrence.
      {kTrail5C + "\\", "\\", 1, false, 3},
      {kTrailA + "a", "a", 1, false, 3},
      // ... but inside the compared stretch it folds like a letter.
      {kTrailA,
       "\x81"
       "A",
       1, true, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.expected)
        << c.text.str() << " / " << c.sought.str() << " from " << c.start;
  }
}

TEST(TextModel, FindTextReverse) {
  EXPECT_EQ(FindTextReverse("a\\b\\c", "\\"), 4);
  EXPECT_EQ(FindTextReverse("a" + kTrail5C + "b", "\\"), -1);
  EXPECT_EQ(FindTextReverse("aaa", "aa"), 2);
  EXPECT_EQ(FindTextReverse("abc", ""), 1);
  EXPECT_EQ(FindTextReverse("", ""), -1);
  EXPECT_EQ(FindTextReverse("abc", "A"), -1);
}

TEST(TextModel, ReplaceText) {
  EXPECT_EQ(ReplaceText("((", "(", "\\("), Text("\\(\\("));
  EXPECT_EQ(ReplaceText("aaa", "aa", "b"), Text("ba"));
  EXPECT_EQ(ReplaceText(kTrail5C + "\\", "\\", "/"), kTrail5C + "/");
  EXPECT_EQ(ReplaceText("abc", "", "x"), Text("abc"));
  EXPECT_EQ(ReplaceText("", "a", "x"), Text());
  EXPECT_EQ(ReplaceText("aXa", "a", ""), Text("X"));
}

TEST(TextModel, TrimText) {
  EXPECT_EQ(TrimText(" a "), Text("a"));
  EXPECT_EQ(TrimText(Gbk("　a　")), Text("a"));
  EXPECT_EQ(TrimText(Gbk(" 　 ")), Text());
  EXPECT_EQ(TrimText("\ta\r\n"), Text("\ta\r\n"));
  EXPECT_EQ(TrimText(Gbk(" 金 ")), Gbk("金"));
  // A1 A1 that is not one character is no full-width space: here "\xB0\xA1" is 啊.
  EXPECT_EQ(TrimText("\xB0\xA1\xA1"), Text("\xB0\xA1\xA1"));
}

TEST(TextModel, ChangesCaseOfAsciiLettersOnly) {
  EXPECT_EQ(ToUpperCase("abz{" + kTrailA), "ABZ{" + kTrailA);
  EXPECT_EQ(ToLowerCase("ABZ[" + Text("\x81\x41")), "abz[" + Text("\x81\x41"));
}

TEST(TextModel, SplitText) {
  EXPECT_EQ(SplitText("a,,b,", ","), (TextArray{"a", "", "b"}));
  EXPECT_EQ(SplitText(",a", ","), (TextArray{"", "a"}));
  EXPECT_EQ(SplitText("", ","), TextArray{});
  EXPECT_EQ(SplitText("abc", ""), TextArray{"abc"});
  EXPECT_EQ(SplitText("a" + kTrail5C + "b", "\\"), TextArray{"a" + kTrail5C + "b"});
  EXPECT_EQ(SplitText("a\r\nb\nc", "\r\n"), (TextArray{"a", "b\nc"}));
}

TEST(TextModel, HexText) {
  EXPECT_EQ(HexText(255), Text("FF"));
  EXPECT_EQ(HexText(0), Text("0"));
  EXPECT_EQ(HexText(-1), Text("FFFFFFFF"));
  EXPECT_EQ(HexText(0x1A2B), Text("1A2B"));
}

TEST(ByteArrays, Operations) {
  const std::string withNul("a\0b\0c", 5);
  EXPECT_EQ(FindBytes(withNul, std::string_view("\0c", 2)), 4);
  EXPECT_EQ(FindBytes(withNul, std::string_view("\0", 1), 3), 4);
  EXPECT_EQ(FindBytes(withNul, ""), -1);
  EXPECT_EQ(FindBytes(withNul, "a", 6), -1);
  EXPECT_EQ(FindBytes("abc", "a", -3), 1);
  EXPECT_EQ(BytesLeft("abc", 2), "ab");
  EXPECT_EQ(BytesRight("abc", 5), "abc");
  EXPECT_EQ(BytesRight("abc", 0), "");
  EXPECT_EQ(ReplaceBytesAt("abc", 2, 0, "X"), "aXbc");
  EXPECT_EQ(ReplaceBytesAt("abc", 9, 1, "X"), "abcX");
  EXPECT_EQ(ReplaceBytesAt("abc", 2, 9, ""), "a");
  EXPECT_EQ(ReplaceBytesAt("abc", -1, 1, "XY"), "XYbc");
  EXPECT_EQ(ConcatBytes("a", withNul), "a" + withNul);
  EXPECT_EQ(RepeatBytes(3, "ab"), "ababab");
  EXPECT_EQ(RepeatBytes(0, "ab"), "");
  EXPECT_EQ(TextToBytes("ab"), "ab");
}

TEST(Lines, LineCountAndNthLine) {
  EXPECT_EQ(LineCount("9\r\n8"), 2);
  EXPECT_EQ(LineCount("9\r\n8\r\n"), 2);
  EXPECT_EQ(LineCount(""), 0);
  EXPECT_EQ(LineCount("\n"), 1);
  EXPECT_EQ(NthLine("(\r\n)", 2), Text(")"));
  EXPECT_EQ(NthLine("(\r\n)", 0), Text());
  EXPECT_EQ(NthLine("(\r\n)", 3), Text());
  EXPECT_EQ(NthLine("a\nb\r\nc", 1), Text("a\nb"));
}

TEST(Lines, TextBetween) {
  EXPECT_EQ(TextBetween("x[dic]ab[c", "[dic]", "["), Text("ab"));
  EXPECT_EQ(TextBetween("x[dic]ab", "[dic]", "["), Text());
  EXPECT_EQ(TextBetween("xab[c", "[dic]", "["), Text());
  EXPECT_EQ(TextBetween("[dic][", "[dic]", "["), Text());
  // Only the first start marker counts, even when no end marker follows it.
  EXPECT_EQ(TextBetween("<a <b>", "<", ">"), Text("a <b"));
  EXPECT_EQ(TextBetween("[x] [y]z", "]", "]"), Text(" [y"));
  const Text quote = Gbk("#引号");
  EXPECT_EQ(TextBetween("say \"hi\"", quote, quote), Text("hi"));
  EXPECT_EQ(TextBetween(quote + "hi" + quote, quote, quote), Text());
  EXPECT_EQ(TextBetween("ABxCDx", "b", "d", 0, true), Text("xC"));
}

}  // namespace
}  // namespace vestrel
