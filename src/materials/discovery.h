// Finding the material files under a folder.
#pragma once

#include <functional>
#include <stop_token>

#include "text/text.h"

namespace vestrel {

using PathCallback = std::function<void(const Text& path)>;

// Calls `found` with the full path of every file below `folder` whose name matches `mask`,
// depth-first: a folder's own files first, then the tree of each subfolder in turn, each
// level in the order NTFS lists it. `depth` -1 means no limit; otherwise a subfolder is
// entered only while its path has at most that many parts. Entries whose names GBK cannot
// hold go to `unsupported`; temporary files that a killed run of ours left behind are
// removed on the way. A stop request ends the walk between folders.
void FindMaterialFiles(const Text& folder, const PathCallback& found, const Text& mask = "*.*",
                       int depth = -1, const PathCallback& unsupported = {},
                       std::stop_token stop = {});

}  // namespace vestrel
