#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/codepage.h"
#include "platform/directory.h"
#include "platform/files.h"
#include "text/paths.h"

namespace vestrel {
namespace {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirPtr = std::unique_ptr<DIR, DirCloser>;

enum class Kind { kFile, kDirectory, kOther };

// What an entry is, without following links: a link is "other".
Kind KindOf(DIR* dir, const dirent& entry) {
  if (entry.d_type == DT_REG) return Kind::kFile;
  if (entry.d_type == DT_DIR) return Kind::kDirectory;
  if (entry.d_type != DT_UNKNOWN) return Kind::kOther;
  struct stat info {};
  if (::fstatat(::dirfd(dir), entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) return Kind::kOther;
  if (S_ISREG(info.st_mode)) return Kind::kFile;
  return S_ISDIR(info.st_mode) ? Kind::kDirectory : Kind::kOther;
}

bool IsDotOrDotDot(std::string_view name) {
  return name == "." || name == "..";
}

DirPtr OpenFolder(const Text& folder) {
  auto native = NativePath(folder);
  if (!native) return nullptr;
  return DirPtr(::opendir(native->empty() ? "." : native->c_str()));
}

}  // namespace

DirectoryListing ListDirectory(const Text& folder) {
  DirectoryListing listing;
  DirPtr dir = OpenFolder(folder);
  if (!dir) return listing;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string_view native = entry->d_name;
    if (IsDotOrDotDot(native)) continue;
    Kind kind = KindOf(dir.get(), *entry);
    if (kind == Kind::kOther) continue;
    auto name = Utf8ToGbkExact(native);
    if (!name) {
      listing.unsupported.push_back({Utf8ToGbk(native), kind == Kind::kDirectory});
      continue;
    }
    listing.entries.push_back({std::move(*name), kind == Kind::kDirectory});
  }
  SortInListOrder(listing);
  return listing;
}

bool HasSubdirectory(const Text& folder) {
  DirPtr dir = OpenFolder(folder);
  if (!dir) return false;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (!IsDotOrDotDot(entry->d_name) && KindOf(dir.get(), *entry) == Kind::kDirectory) return true;
  }
  return false;
}

int PathIsDirectory(const Text& path) {
  auto native = NativePath(path);
  struct stat info {};
  return native && ::stat(native->c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? 16 : 0;
}

bool PathIsDirectoryEmpty(const Text& path) {
  if (PathIsDirectory(path) != 16) return false;
  DirPtr dir = OpenFolder(path);
  if (!dir) return false;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (!IsDotOrDotDot(entry->d_name)) return false;
  }
  return true;
}

bool PathFileExists(const Text& path) {
  auto native = NativePath(path);
  struct stat info {};
  return native && !native->empty() && ::stat(native->c_str(), &info) == 0;
}

bool IsValidEntryName(const Text& name) {
  return !name.empty() && name != Text(".") && name != Text("..") &&
         name.view().find(kPathSeparator) == std::string_view::npos;
}

bool MoveEntry(const Text& from, const Text& to) {
  auto nativeFrom = NativePath(from);
  auto nativeTo = NativePath(to);
  if (!nativeFrom || !nativeTo) return false;
  if (*nativeFrom == *nativeTo) {
    struct stat info {};
    return ::lstat(nativeFrom->c_str(), &info) == 0;
  }
  // Never replace: rename() would silently take the place of an empty folder.
  if (::renameat2(AT_FDCWD, nativeFrom->c_str(), AT_FDCWD, nativeTo->c_str(), RENAME_NOREPLACE) ==
      0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: test first. Only another program racing us could
  // slip in between.
  struct stat info {};
  if (::lstat(nativeTo->c_str(), &info) == 0 || errno != ENOENT) return false;
  return ::rename(nativeFrom->c_str(), nativeTo->c_str()) == 0;
}

bool RemoveFile(const Text& path) {
  auto native = NativePath(path);
  return native && ::unlink(native->c_str()) == 0;
}

}  // namespace vestrel
