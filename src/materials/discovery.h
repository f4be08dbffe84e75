// Finding the material files under a folder.
#pragma once

#include <functional>
#include <stop_token>

#include "text/text.h"

namespace vestrel {

using PathCallback = std::function<void(const Text& path)>;

// What a walk reports besides the files it finds, and how it is stopped.
struct WalkHooks {
  // An entry whose name GBK cannot hold, with "?" for each character it lacks; the walk
  // leaves it out (a folder with its whole tree).
  PathCallback unsupported;
  // A temporary file of ours that a killed run left behind.
  PathCallback leftBehind;
  // A stop request ends the walk between folders.
  std::stop_token stop;
};

// Calls `found` with the full path of every file below `folder` whose name matches `mask`,
// depth-first: a folder's own files first, then the tree of each subfolder in turn, each
// level in the order NTFS lists it. `depth` -1 means no limit; otherwise a subfolder is
// entered only while its path has at most that many parts.
void FindMaterialFiles(const Text& folder, const PathCallback& found, const Text& mask = "*.*",
                       int depth = -1, const WalkHooks& hooks = {});

}  // namespace vestrel
