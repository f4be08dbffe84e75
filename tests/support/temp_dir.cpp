#include "support/temp_dir.h"

#include <stdlib.h>  // NOLINT(modernize-deprecated-headers): mkdtemp

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/codepage.h"

namespace vestrel::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vestrel-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Tests take permissions away; give them back so that everything can be removed.
  for (auto it = std::filesystem::recursive_directory_iterator(
           path_, std::filesystem::directory_options::skip_permission_denied, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

Text TempDir::TextPath(std::string_view relativeUtf8) const {
  std::string full = path_.string();
  if (!relativeUtf8.empty()) full.append("/").append(relativeUtf8);
  return Utf8ToGbk(full);
}

std::filesystem::path TempDir::Write(std::string_view relativeUtf8,
                                     std::string_view content) const {
  auto full =
      path_ / std::filesystem::path(std::u8string(relativeUtf8.begin(), relativeUtf8.end()));
  std::filesystem::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  return full;
}

std::filesystem::path TempDir::MakeFolder(std::string_view relativeUtf8) const {
  auto full =
      path_ / std::filesystem::path(std::u8string(relativeUtf8.begin(), relativeUtf8.end()));
  std::filesystem::create_directories(full);
  return full;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

Tree Snapshot(const std::filesystem::path& root) {
  Tree tree;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    tree[std::filesystem::relative(entry.path(), root).string()] =
        entry.is_directory() ? "/" : ReadFile(entry.path());
  }
  return tree;
}

Text Gbk(std::string_view utf8) {
  return Utf8ToGbk(utf8);
}

}  // namespace vestrel::testing
