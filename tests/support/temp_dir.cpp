#include "support/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/codepage.h"
#include "text/paths.h"

namespace vestrel::testing {

std::filesystem::path PathOf(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).make_preferred();
}

std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string bytes = path.u8string();
  return {bytes.begin(), bytes.end()};
}

TempDir::TempDir() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  const auto base = std::filesystem::temp_directory_path();
  // create_directory says false for a name that exists: the folder is ours alone.
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    auto candidate = base / ("vestrel-test-" + std::to_string(random() % 1'000'000'000));
    if (std::filesystem::create_directory(candidate)) path_ = candidate;
  }
  if (path_.empty()) throw std::runtime_error("no temporary folder could be made");
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
  return Utf8ToGbk(Utf8Of(relativeUtf8.empty() ? path_ : path_ / PathOf(relativeUtf8)));
}

std::filesystem::path TempDir::Write(std::string_view relativeUtf8,
                                     std::string_view content) const {
  auto full = path_ / PathOf(relativeUtf8);
  std::filesystem::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  return full;
}

std::filesystem::path TempDir::MakeFolder(std::string_view relativeUtf8) const {
  auto full = path_ / PathOf(relativeUtf8);
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
    const std::u8string relative = std::filesystem::relative(entry.path(), root).generic_u8string();
    tree[std::string(relative.begin(), relative.end())] =
        entry.is_directory() ? "/" : ReadFile(entry.path());
  }
  return tree;
}

bool MakeLink(const std::filesystem::path& target, const std::filesystem::path& link) {
  std::error_code error;
  if (std::filesystem::is_directory(target)) {
    std::filesystem::create_directory_symlink(target, link, error);
  } else {
    std::filesystem::create_symlink(target, link, error);
  }
  return !error;
}

std::string Slashed(const Text& path) {
  return ReplaceText(path, kPathSeparatorText, "/").str();
}

Text Native(const Text& slashed) {
  return ReplaceText(slashed, "/", kPathSeparatorText);
}

Text Gbk(std::string_view utf8) {
  return Utf8ToGbk(utf8);
}

}  // namespace vestrel::testing
