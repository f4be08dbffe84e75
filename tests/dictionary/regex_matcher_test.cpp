#include "dictionary/regex_matcher.h"

#include <gtest/gtest.h>

#include <chrono>

#include "support/temp_dir.h"

namespace vestrel {
namespace {

using testing::Gbk;

TEST(RegexMatcher, FindsKeysLineByLine) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.RunPattern(Gbk("^(.*?)=金$"), Gbk("\r\nGold=金\r\nSilver=银\r\n"), true));
  EXPECT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.SubmatchText(1, 1), Text("Gold"));
  EXPECT_EQ(matcher.MatchText(1), Gbk("Gold=金"));
  EXPECT_EQ(matcher.SubmatchCount(), 1);

  ASSERT_TRUE(matcher.RunPattern(Gbk("^(.*?)=金$"), Gbk("Gold=金\r\nAurum=金"), true));
  EXPECT_EQ(matcher.MatchCount(), 2);
  EXPECT_EQ(matcher.SubmatchText(2, 1), Text("Aurum"));

  // A match never spans two lines.
  ASSERT_TRUE(matcher.RunPattern(Gbk("^(.*?)=金$"), Gbk("a=x\r\nb=金"), true));
  EXPECT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.SubmatchText(1, 1), Text("b"));

  // The lazy group takes the shortest key.
  ASSERT_TRUE(matcher.RunPattern("^(.*?)=x$", "a=b=x", true));
  EXPECT_EQ(matcher.SubmatchText(1, 1), Text("a=b"));
}

TEST(RegexMatcher, ChineseCharactersAreSingleCharacters) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.RunPattern("^.$", Gbk("金"), true));
  EXPECT_EQ(matcher.MatchCount(), 1);
  ASSERT_TRUE(matcher.RunPattern("^[^a]{2}$", Gbk("金属"), true));
  EXPECT_EQ(matcher.MatchCount(), 1);
}

TEST(RegexMatcher, EmptyAndMissingResults) {
  RegexMatcher matcher;
  EXPECT_EQ(matcher.MatchCount(), 0);
  EXPECT_EQ(matcher.SubmatchText(1, 1), Text());
  EXPECT_EQ(matcher.PatternText(), Text());
  EXPECT_EQ(matcher.SubmatchCount(), 0);

  EXPECT_FALSE(matcher.RunPattern("(", "abc"));
  EXPECT_EQ(matcher.MatchCount(), 0);
  EXPECT_EQ(matcher.SubmatchText(1, 1), Text());
  EXPECT_EQ(matcher.PatternText(), Text("("));

  ASSERT_TRUE(matcher.RunPattern("(a)", "a"));
  EXPECT_EQ(matcher.SubmatchText(1, 2), Text());
  EXPECT_EQ(matcher.SubmatchText(0, 1), Text());
  EXPECT_EQ(matcher.SubmatchText(2, 1), Text());
  ASSERT_TRUE(matcher.RunPattern("(a)|(b)", "b"));
  EXPECT_EQ(matcher.SubmatchText(1, 1), Text());  // took no part
  EXPECT_EQ(matcher.SubmatchText(1, 2), Text("b"));
  ASSERT_TRUE(matcher.RunPattern("x", "abc"));
  EXPECT_EQ(matcher.MatchCount(), 0);
  EXPECT_EQ(matcher.SubmatchCount(), 0);
}

TEST(RegexMatcher, Options) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.RunPattern("gold", "GOLD"));
  EXPECT_EQ(matcher.MatchCount(), 1);
  ASSERT_TRUE(matcher.RunPattern("gold", "GOLD", true));
  EXPECT_EQ(matcher.MatchCount(), 0);

  ASSERT_TRUE(matcher.RunPattern("^b", "a\r\nb", false, false));
  EXPECT_EQ(matcher.MatchCount(), 0);
  ASSERT_TRUE(matcher.RunPattern("a$", "a\r\nb"));
  EXPECT_EQ(matcher.MatchCount(), 1);
  ASSERT_TRUE(matcher.RunPattern("a.b", "a\rb"));
  EXPECT_EQ(matcher.MatchCount(), 0);
  ASSERT_TRUE(matcher.RunPattern("a.b", "a\nb"));
  EXPECT_EQ(matcher.MatchCount(), 0);

  ASSERT_TRUE(matcher.RunPattern("a", "aaa", false, true, false));
  EXPECT_EQ(matcher.MatchCount(), 1);
  // An empty match moves the next search on by one character.
  ASSERT_TRUE(matcher.RunPattern("x*", Gbk("金x")));
  EXPECT_EQ(matcher.MatchCount(), 3);

  const Text marker = Gbk("#引号");
  ASSERT_TRUE(matcher.RunPattern(marker + "x" + marker, "\"x\"", false, true, true, true));
  EXPECT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.PatternText(), Text("\"x\""));
  ASSERT_TRUE(matcher.RunPattern(marker + "x" + marker, "\"x\""));
  EXPECT_EQ(matcher.MatchCount(), 0);
  EXPECT_EQ(matcher.PatternText(), marker + "x" + marker);
}

TEST(RegexMatcher, EcmaScriptSyntax) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.RunPattern("\\u0041[]", "A"));  // \u escapes; [] matches nothing
  EXPECT_EQ(matcher.MatchCount(), 0);
  ASSERT_TRUE(matcher.RunPattern("\\u0041", "A"));
  EXPECT_EQ(matcher.MatchCount(), 1);
  ASSERT_TRUE(matcher.RunPattern("(a)?\\1b", "b"));  // an unset group matches empty
  EXPECT_EQ(matcher.MatchCount(), 1);
  ASSERT_TRUE(matcher.RunPattern("\\d+", "a12b3"));
  EXPECT_EQ(matcher.MatchCount(), 2);
  EXPECT_EQ(matcher.MatchText(2), Text("3"));
}

TEST(RegexMatcher, ReplaceMatches) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.RunPattern("(\\w)=(\\w)", "a=b, c=d"));
  EXPECT_EQ(matcher.ReplaceMatches("$2=$1"), Text("b=a, d=c"));
  EXPECT_EQ(matcher.ReplaceMatches("[$&]$$"), Text("[a=b]$, [c=d]$"));
}

TEST(RegexMatcher, CatastrophicPatternsFailQuickly) {
  RegexMatcher matcher;
  const Text subject(std::string(5000, 'a') + "!");
  for (const char* pattern : {"(a+)+b", "(a|aa)+$", "(?:a*)*b", "(((a*)*)*)*c"}) {
    auto start = std::chrono::steady_clock::now();
    bool ran = matcher.RunPattern(pattern, subject);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(1)) << pattern;
    if (!ran) {
      EXPECT_EQ(matcher.MatchCount(), 0);
    }
  }
  // Deep nesting is refused, not a stack overflow.
  EXPECT_FALSE(matcher.RunPattern(Text(std::string(50000, '(') + std::string(50000, ')')), "a"));
}

}  // namespace
}  // namespace vestrel
