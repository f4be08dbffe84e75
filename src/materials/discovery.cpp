#include "materials/discovery.h"

#include "platform/directory.h"
#include "platform/files.h"
#include "text/paths.h"

namespace vestrel {
namespace {

Pos PathPartCount(const Text& path) {
  return static_cast<Pos>(SplitText(path, kPathSeparatorText).size());
}

}  // namespace

void FindMaterialFiles(const Text& folder, const PathCallback& found, const Text& mask, int depth,
                       const WalkHooks& hooks) {
  if (hooks.stop.stop_requested()) return;
  // The window runs on its own thread, so there are no pending events to let through here.
  const Text base = WithTrailingSeparator(folder);
  DirectoryListing listing = ListDirectory(base);
  if (hooks.unsupported) {
    for (const DirectoryEntry& entry : listing.unsupported) {
      if (entry.isDirectory || MatchesMask(entry.name, mask)) hooks.unsupported(base + entry.name);
    }
  }
  for (const DirectoryEntry& entry : listing.entries) {
    if (entry.isDirectory) continue;
    if (IsLeftBehindTemporaryFile(entry.name.view())) {
      if (hooks.leftBehind) hooks.leftBehind(base + entry.name);
    } else if (MatchesMask(entry.name, mask)) {
      found(base + entry.name);
    }
  }
  for (const DirectoryEntry& entry : listing.entries) {
    if (!entry.isDirectory) continue;
    Text subfolder = base + entry.name;
    if (depth != -1 && PathPartCount(subfolder) > depth) continue;
    FindMaterialFiles(subfolder, found, mask, depth, hooks);
  }
}

}  // namespace vestrel
