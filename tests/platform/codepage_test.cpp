#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace vestrel {
namespace {

TEST(CodePage, ChineseRoundTrip) {
  const std::string utf8 = "金属 - Metal 平衡";
  Text gbk = Utf8ToGbk(utf8);
  EXPECT_EQ(gbk, Text("\xBD\xF0\xCA\xF4 - Metal \xC6\xBD\xBA\xE2"));
  EXPECT_EQ(GbkToUtf8(gbk).str(), utf8);
}

TEST(CodePage, MatchesWindowsCodePage936) {
  EXPECT_EQ(Utf8ToGbk("€"), Text("\x80"));  // the euro sign of code page 936
  EXPECT_EQ(GbkToUtf8("\x80").str(), "€");
  EXPECT_EQ(GbkToUtf8("\xAA\xA1").str(), "\xEE\x80\x80");  // user-defined area: U+E000
}

TEST(CodePage, SubstitutesInsteadOfFailing) {
  EXPECT_EQ(Utf8ToGbk("a\xFF"
                      "b"),
            Text("a?b"));                    // malformed UTF-8
  EXPECT_EQ(Utf8ToGbk("a😀b"), Text("a?b"));  // a character GBK lacks
  EXPECT_EQ(Utf8ToGbk(std::string_view("a\0b", 3)), Text("a"));
  EXPECT_FALSE(GbkToUtf8("a\x81").empty());  // a lone lead byte still gives a text
  EXPECT_EQ(GbkToUtf8Exact("a\x81"), std::nullopt);
  EXPECT_EQ(Utf8ToGbkExact("a😀b"), std::nullopt);
  EXPECT_EQ(Utf8ToGbkExact("a\xFF"), std::nullopt);
  EXPECT_EQ(Utf8ToGbkExact("金"), Text("\xBD\xF0"));
}

TEST(CodePage, Utf16) {
  EXPECT_EQ(GbkToUtf16("\xBD\xF0"
                       "a"),
            u"金a");
  EXPECT_EQ(Utf16ToGbk(u"金a"), Text("\xBD\xF0"
                                     "a"));
}

TEST(CodePage, ConvertsFromSeveralThreadsAtOnce) {
  std::vector<std::thread> threads;
  std::vector<int> failures(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &failures] {
      for (int i = 0; i < 2000; ++i) {
        if (GbkToUtf8(Utf8ToGbk("金属平衡")).str() != "金属平衡") ++failures[t];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace vestrel
