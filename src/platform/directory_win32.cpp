#include <windows.h>

#include <algorithm>

#include "platform/directory.h"
#include "platform/windows_text.h"
#include "text/paths.h"

namespace vestrel {
namespace {

// One directory search over "folder\*": the system's own mask is not used, so that its short
// names ("*.mtl" matching "x.mtlx") play no part; our mask and order are applied after.
class Search {
 public:
  explicit Search(const Text& folder) {
    auto wide = windows::WidePath(WithTrailingSeparator(folder) + "*");
    if (wide) {
      handle_ = ::FindFirstFileExW(wide->c_str(), FindExInfoBasic, &data_, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    }
    first_ = true;
  }
  Search(const Search&) = delete;
  Search& operator=(const Search&) = delete;
  ~Search() {
    if (handle_ != INVALID_HANDLE_VALUE) ::FindClose(handle_);
  }

  // The next entry other than "." and ".."; null at the end.
  const WIN32_FIND_DATAW* Next() {
    while (handle_ != INVALID_HANDLE_VALUE) {
      if (!first_ && !::FindNextFileW(handle_, &data_)) return nullptr;
      first_ = false;
      const std::wstring_view name = data_.cFileName;
      if (name != L"." && name != L"..") return &data_;
    }
    return nullptr;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW data_{};
  bool first_ = true;
};

bool IsLink(const WIN32_FIND_DATAW& data) {
  return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}
bool IsFolder(const WIN32_FIND_DATAW& data) {
  return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

DWORD Attributes(const Text& path) {
  auto wide = windows::WidePath(path);
  return wide ? ::GetFileAttributesW(wide->c_str()) : INVALID_FILE_ATTRIBUTES;
}

}  // namespace

DirectoryListing ListDirectory(const Text& folder) {
  DirectoryListing listing;
  Search search(folder);
  while (const WIN32_FIND_DATAW* data = search.Next()) {
    if (IsLink(*data)) continue;  // junctions and links are neither entered nor taken
    if (auto name = windows::GbkFromWide(data->cFileName)) {
      listing.entries.push_back({std::move(*name), IsFolder(*data)});
    } else {
      listing.unsupported.push_back({windows::GbkFromWideMarked(data->cFileName), IsFolder(*data)});
    }
  }
  SortInListOrder(listing);
  return listing;
}

bool HasSubdirectory(const Text& folder) {
  Search search(folder);
  while (const WIN32_FIND_DATAW* data = search.Next()) {
    if (IsFolder(*data) && !IsLink(*data)) return true;
  }
  return false;
}

int PathIsDirectory(const Text& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 16
                                                                                               : 0;
}

bool PathIsDirectoryEmpty(const Text& path) {
  if (PathIsDirectory(path) != 16) return false;
  Search search(path);
  return search.Next() == nullptr;
}

bool PathFileExists(const Text& path) {
  return !path.empty() && Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsValidEntryName(const Text& name) {
  if (name.empty() || name == Text(".") || name == Text("..")) return false;
  auto wide = windows::WideFromGbk(name);
  if (!wide) return false;
  // Windows also refuses these characters, and drops a final dot or blank.
  if (wide->find_first_of(L"<>:\"/\\|?*") != std::wstring::npos) return false;
  if (std::any_of(wide->begin(), wide->end(), [](wchar_t c) { return c < 0x20; })) return false;
  return wide->back() != L'.' && wide->back() != L' ';
}

bool MoveEntry(const Text& from, const Text& to) {
  auto wideFrom = windows::WidePath(from);
  auto wideTo = windows::WidePath(to);
  if (!wideFrom || !wideTo) return false;
  if (*wideFrom == *wideTo)
    return ::GetFileAttributesW(wideFrom->c_str()) != INVALID_FILE_ATTRIBUTES;
  // Without MOVEFILE_REPLACE_EXISTING: never take the place of anything.
  return ::MoveFileExW(wideFrom->c_str(), wideTo->c_str(), 0) != 0;
}

bool RemoveFile(const Text& path) {
  auto wide = windows::WidePath(path);
  return wide && ::DeleteFileW(wide->c_str()) != 0;
}

}  // namespace vestrel
