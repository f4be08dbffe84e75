#include "materials/material_header.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vestrel {
namespace {

using testing::Gbk;

struct ReadCase {
  const char* content;
  const char* expectedUtf8;
};

TEST(MaterialHeader, ReadsEveryFormOfName) {
  const ReadCase cases[] = {
      {"#define material \"Gold\" {\r\n}", "Gold"},
      {"#define material xX476f6c64 {", "Gold"},
      {"#define material xX476F6C64 {", "Gold"},
      {"#define material\r\n  \"Gold\"    {", "Gold"},
      {"#define material xX476f6c64\r\n{", "Gold"},  // a line break before the brace
      {"#define material xX476f6c64\n{", "Gold"},
      {"#define material \"Gold\"\r\n{", "Gold"},
      {"#define material \t Gold \r\n{", "Gold"},  // a bare name
      {"#define material XX41 {", "XX41"},         // "xX" is case-sensitive
      {"#define material xx41 {", "xx41"},
      {"#define material \"xX41\" {", "A"},  // a quoted name can be hexadecimal
      {"#define material name\"x {", "name\"x"},
      {"#define material xX41004142 {", "A"},  // a zero byte ends the name
      {"#define material xXe98791 {", "金"},
      {"#define material \"平衡\" {", "平衡"},  // UTF-8 that ends in A1 A1
      {"#define material 平衡 {", "平衡"},
      {"#define material \xE3\x80\x80\"a\"\xE3\x80\x80{", "a"},  // full-width spaces
      {"#define material \"\" {", ""},
      {"#define material xX {", ""},
      {"#define material \"open {", ""},  // an unclosed quote
      {"#define material    {", ""},
      {"#define material \"Gold\"", ""},  // no brace
      {"no header at all {", ""},
      {"", ""},
      {"#define material \"A\" { #define material \"B\" {", "A"},
      {"x{ #define material \"A\" {", "A"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MaterialNameOf(c.content), Gbk(c.expectedUtf8)) << c.content;
  }
  // An odd number of digits decodes the last one alone.
  EXPECT_EQ(MaterialNameOf("#define material xX414 {"), Text("A\x04"));
}

TEST(MaterialHeader, ReadMaterialNameReadsTheFile) {
  testing::TempDir dir;
  dir.Write("Gold.mtl", "#define material \"Gold\" {}");
  EXPECT_EQ(ReadMaterialName(dir.TextPath("Gold.mtl")), Text("Gold"));
  EXPECT_EQ(ReadMaterialName(dir.TextPath("missing.mtl")), Text());
}

TEST(MaterialHeader, RewritesOnlyTheFirstHeader) {
  const std::string before = "// head\r\n#define material\r\n  \"Gold\"   {\r\n";
  const std::string after = "  x 1\r\n}\r\n#define material \"Other\" {\r\n}\r\n";
  auto result = ReplaceMaterialName(before + after, Gbk("金"));
  ASSERT_TRUE(result);
  EXPECT_EQ(*result, "// head\r\n#define material \"\xE9\x87\x91\" {\r\n" + after);
}

TEST(MaterialHeader, ChoosesTheFormFromTheOldHeader) {
  EXPECT_EQ(ReplaceMaterialName("#define material xX41 {", "Gold"),
            "#define material xX476f6c64 {");
  EXPECT_EQ(ReplaceMaterialName("#define material {", "Gold"), "#define material xX476f6c64 {");
  EXPECT_EQ(ReplaceMaterialName("#define material name\"x {", "Gold"),
            "#define material \"Gold\" {");
  EXPECT_EQ(ReplaceMaterialName("#define material \"a\" {", ""), "#define material \"\" {");
  EXPECT_EQ(ReplaceMaterialName("#define material xX41 {", ""), "#define material xX {");
}

TEST(MaterialHeader, NamesTheQuotedFormCannotHoldAreWrittenInHexadecimal) {
  for (const char* name : {"say \"hi\"", "a{b", "xX41"}) {
    auto result = ReplaceMaterialName("#define material \"old\" {", name);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->starts_with("#define material xX")) << *result;
    EXPECT_EQ(MaterialNameOf(*result), Text(name));
  }
}

TEST(MaterialHeader, ContentWithoutACompleteHeaderIsNeverChanged) {
  EXPECT_EQ(ReplaceMaterialName("#define material \"Gold\"", "X"), std::nullopt);
  EXPECT_EQ(ReplaceMaterialName("no header {", "X"), std::nullopt);
  EXPECT_EQ(ReplaceMaterialName("", "X"), std::nullopt);
  EXPECT_EQ(ReplaceMaterialName("#DEFINE MATERIAL \"a\" {", "X"), std::nullopt);
}

TEST(MaterialHeader, NamesReadBackAfterEveryRewrite) {
  const char* oldHeaders[] = {
      "#define material \"Gold\" {\r\n  a 1\r\n}\r\n",
      "#define material xX476f6c64\n{\n a 1\n}\n",
      "\xEF\xBB\xBF#define material   Gold\t{\r\n}",
  };
  const char* names[] = {"Gold",   "金属 - Metal", " padded ", "say \"hi\"", "{brace}",
                         "xXfake", "$]",           "a\tb",     "平衡",       "€"};
  for (const char* old : oldHeaders) {
    std::string content = old;
    auto tail = content.substr(content.find('{') + 1);
    auto head = content.substr(0, content.find("#define"));
    for (const char* name : names) {
      auto result = ReplaceMaterialName(content, Gbk(name));
      ASSERT_TRUE(result);
      EXPECT_EQ(MaterialNameOf(*result), Gbk(name)) << old << " / " << name;
      EXPECT_TRUE(result->starts_with(head));
      EXPECT_TRUE(result->ends_with(tail));
    }
  }
}

TEST(HexDigits, ParseHex64FollowsItsDigitArithmetic) {
  EXPECT_EQ(ParseHex64("ff"), 0xFFu);
  EXPECT_EQ(ParseHex64("FF"), 0xFFu);
  EXPECT_EQ(ParseHex64(""), 0u);
  EXPECT_EQ(ParseHex64("123456789abcdef0"), 0x123456789ABCDEF0u);
  EXPECT_EQ(ParseHex64("ff123456789abcdef0"), 0x123456789ABCDEF0u);  // the last 16 only
  EXPECT_EQ(ParseHex64("g"), 16u);
  EXPECT_EQ(ParseHex64("G"), 16u);
  EXPECT_EQ(ParseHex64(":"), 10u);
  EXPECT_EQ(ParseHex64("\xB0"), 89u);
  // A space is worth -16, and each half wraps on its own.
  EXPECT_EQ(ParseHex64(" "), 0xFFFFFFF0u);
  EXPECT_EQ(ParseHex64("  "), 0xFFFFFEF0u);
  EXPECT_EQ(ParseHex64(" 00000000"), 0xFFFFFFF000000000u);
}

TEST(HexDigits, HexToBytes) {
  EXPECT_EQ(HexToBytes("476f6C64"), "Gold");
  EXPECT_EQ(HexToBytes("414"), std::string("A\x04"));
  EXPECT_EQ(HexToBytes(""), "");
  EXPECT_EQ(HexToBytes("41\n"), std::string("A\xDA"));  // a line feed is worth -38
  EXPECT_EQ(HexToBytes("41\r\n"), std::string("A\xAA"));
  EXPECT_EQ(HexToBytes("4100"), std::string("A\0", 2));
}

TEST(HexDigits, BytesToHex) {
  EXPECT_EQ(ByteToHex2(0), Text("00"));
  EXPECT_EQ(ByteToHex2(0x0A), Text("0A"));
  EXPECT_EQ(ByteToHex2(0xFF), Text("FF"));
  EXPECT_EQ(BytesToHex(std::string("\x00\xE9\x87\x91", 4)), Text("00E98791"));
  EXPECT_EQ(BytesToHex(""), Text());
}

}  // namespace
}  // namespace vestrel
