#include "folders/folder_list.h"

#include <algorithm>

#include "platform/collation.h"
#include "platform/directory.h"
#include "text/paths.h"

namespace vestrel {

Pos ListSubfolders(const Text& folder, TextArray& result, const PathCallback& unsupported) {
  const Text base = WithTrailingSeparator(folder);
  DirectoryListing listing = ListDirectory(base);
  TextArray names;
  for (const DirectoryEntry& entry : listing.entries) {
    if (!entry.isDirectory || entry.name.view().starts_with('.')) continue;
    names.push_back(entry.name);
    result.push_back(base + entry.name);
  }
  if (unsupported) {
    for (const DirectoryEntry& entry : listing.unsupported) {
      if (entry.isDirectory && !entry.name.view().starts_with('.')) unsupported(base + entry.name);
    }
  }
  auto count = static_cast<Pos>(names.size());
  for (const Text& name : names) {
    Text path = base + name;
    if (HasSubfolder(path)) count += ListSubfolders(path, result, unsupported);
  }
  return count;
}

bool HasSubfolder(const Text& folder) {
  return HasSubdirectory(WithTrailingSeparator(folder));
}

void SortTextArray(TextArray& list, bool descending) {
  TextArray sorted;
  sorted.reserve(list.size());
  auto insertAt = [&sorted](std::size_t index, const Text& key) {
    sorted.insert(sorted.begin() + static_cast<std::ptrdiff_t>(index), key);
  };
  for (const Text& key : list) {
    const std::size_t m = sorted.size();
    if (m == 0 || CompareForSort(key, sorted[m - 1]) >= 0) {
      sorted.push_back(key);
      continue;
    }
    if (CompareForSort(key, sorted[0]) <= 0) {
      insertAt(0, key);
      continue;
    }
    // 1-based bisection between the first and the last element.
    std::size_t lo = 1;
    std::size_t hi = m;
    std::size_t mid = (m + 1) / 2;
    while (hi - lo >= 2) {
      if (key == sorted[mid - 1]) break;
      if (CompareForSort(key, sorted[mid - 1]) < 0) {
        hi = mid;
      } else {
        lo = mid;
      }
      mid = (lo + hi) / 2;
    }
    insertAt(CompareForSort(key, sorted[mid - 1]) > 0 ? mid : mid - 1, key);
  }
  list = std::move(sorted);
  if (descending) ReverseTextArray(list);
}

void ReverseTextArray(TextArray& list) {
  std::reverse(list.begin(), list.end());
}

}  // namespace vestrel
