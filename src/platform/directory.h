// Folder listings, path tests and moves, with the Windows semantics that the rest of the
// system expects, on every platform.
#pragma once

#include <functional>
#include <vector>

#include "text/text.h"

namespace vestrel {

struct DirectoryEntry {
  Text name;
  bool isDirectory = false;
};

struct DirectoryListing {
  // Files and folders, without "." and "..", and without links of any kind: a link is
  // neither a material file nor a folder to descend, which also keeps every walk inside
  // the chosen folder. Sorted the way NTFS lists them.
  std::vector<DirectoryEntry> entries;
  // Entries whose names GBK cannot hold, each name with "?" for every character GBK lacks.
  // They are left out of `entries`: no lossy name may reach a file operation.
  std::vector<DirectoryEntry> unsupported;
};

// The entries of a folder; an empty listing when it cannot be listed.
DirectoryListing ListDirectory(const Text& folder);

// Puts both lists of a listing in the order of ListsBefore.
void SortInListOrder(DirectoryListing& listing);

// True when the folder holds at least one subfolder (a real one, not a link), whatever its
// name; stops at the first.
bool HasSubdirectory(const Text& folder);

// NTFS's order of names: UTF-16 code units, each upper-cased by the simple Unicode case
// mapping, compared one by one; names equal after that by their bytes.
bool ListsBefore(const Text& a, const Text& b);

// The Windows wildcard rules: "*" and "?", without regard to case; a mask ending in ".*"
// also matches names without a dot ("*.*" matches every name).
bool MatchesMask(const Text& name, const Text& mask);

// 16 (the directory attribute) when the path names a folder, else 0.
int PathIsDirectory(const Text& path);
// True when the path names a folder that holds nothing at all.
bool PathIsDirectoryEmpty(const Text& path);
// True when something exists at the path, a file or a folder.
bool PathFileExists(const Text& path);

// True when `name` can name an entry inside a folder: not empty, not "." or "..", and
// without a path separator (on Windows, without any character a name may not hold).
bool IsValidEntryName(const Text& name);

// Moves a file or folder. Fails when anything exists under the new name; a move onto the
// entry's own path succeeds and changes nothing.
bool MoveEntry(const Text& from, const Text& to);

bool RemoveFile(const Text& path);

}  // namespace vestrel
