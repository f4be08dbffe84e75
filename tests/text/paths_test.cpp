#include "text/paths.h"

#include <gtest/gtest.h>

namespace vestrel {
namespace {

// Paths are written with "/" and turned into the platform's separator.
Text P(std::string_view path) {
  std::string native(path);
  for (char& c : native) {
    if (c == '/') c = kPathSeparator;
  }
  return Text(native);
}

TEST(Paths, ParentPrefix) {
  EXPECT_EQ(ParentPrefix(P("C:/lib/Metal")), P("C:/lib/"));
  EXPECT_EQ(ParentPrefix(P("Metal")), Text());
  EXPECT_EQ(ParentPrefix(P("C:/lib/")), P("C:/lib/"));
}

TEST(Paths, BaseNameWithoutExtension) {
  struct Case {
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"C:/lib/Gold.mtl", "Gold"},
      {"C:/lib/Car.Paint", "Car"},
      {"C:/lib/Gold", "Gold"},
      {"C:/lib/.mtl", ""},
      {"C:/lib/", ""},
      {"Gold.tar.gz", "Gold.tar"},
      {"a.my ext", "a.my ext"},
      {"/", ""},
      {"//x", "x"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BaseNameWithoutExtension(P(c.path)), Text(c.expected)) << c.path;
  }
}

TEST(Paths, FileExtension) {
  struct Case {
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"C:/lib/dic.ini", ".ini"},
      {"dic.INI", ".INI"},
      {"C:/lib.d/dic", ""},
      {"a.my ext", ""},
      {"my file.txt", ".txt"},
      {".mtl", ".mtl"},
      {"C:/lib/.mtl", ".mtl"},
      {"a.", "."},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileExtension(P(c.path)), Text(c.expected)) << c.path;
  }
}

TEST(Paths, TrailingSeparator) {
  EXPECT_EQ(WithTrailingSeparator(P("a")), P("a/"));
  EXPECT_EQ(WithTrailingSeparator(P("a/")), P("a/"));
  EXPECT_EQ(WithTrailingSeparator(""), P("/"));
}

#ifdef _WIN32
TEST(Paths, TrailByte5CIsNoSeparator) {
  const Text name = "C:\\lib\\\x90\x5C";
  EXPECT_EQ(ParentPrefix(name), Text("C:\\lib\\"));
  EXPECT_EQ(BaseNameWithoutExtension(name), Text());
}
#endif

}  // namespace
}  // namespace vestrel
