// A real folder in the system's temporary folder, removed with everything in it.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "text/text.h"

namespace vestrel::testing {

// A path from UTF-8 with "/" between its parts, in the system's own form; and back.
std::filesystem::path PathOf(std::string_view utf8);
std::string Utf8Of(const std::filesystem::path& path);

class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  // The path of `relative` inside the folder, as a GBK text (test names are ASCII or GBK-able).
  [[nodiscard]] Text TextPath(std::string_view relativeUtf8 = {}) const;
  // Writes `content` to `relative`, creating the folders on the way; returns the full path.
  std::filesystem::path Write(std::string_view relativeUtf8, std::string_view content) const;
  std::filesystem::path MakeFolder(std::string_view relativeUtf8) const;

 private:
  std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path);

// Everything below a folder: relative path to content, "/" for a folder.
using Tree = std::map<std::string, std::string>;
Tree Snapshot(const std::filesystem::path& root);

// A path in the tests' own form, "/" between its parts on every system; and a text with "/"
// in the system's own form.
std::string Slashed(const Text& path);
Text Native(const Text& slashed);

// Makes a symbolic link; false where the system or the user's rights allow none (Windows
// without developer mode, and the C++ library of MinGW).
bool MakeLink(const std::filesystem::path& target, const std::filesystem::path& link);

// The GBK text of a UTF-8 literal, so that tests can be written in readable Chinese.
Text Gbk(std::string_view utf8);

}  // namespace vestrel::testing
