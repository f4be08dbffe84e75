// Whole-file reading and writing. Paths are GBK texts; the layer converts them for the
// operating system and refuses any that it cannot convert exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace vestrel {

// The path as the operating system names it; nothing when GBK cannot be converted exactly.
std::optional<std::string> NativePath(const Text& path);

// The whole content; nothing when the file cannot be opened or read.
std::optional<ByteArray> ReadWholeFile(const Text& path);

// Replaces the whole content of the file at `path` (creating it when missing) so that no
// reader and no crash ever sees a half-written file: the content goes to a temporary file
// in the same folder, which then takes the file's place in one rename and keeps its
// permission bits. A file that the user may not write, a missing folder or any failure
// leaves the old file as it was and gives false.
bool ReplaceWholeFile(const Text& path, std::string_view content);

// Our own temporary files are named ".vestrel-PID-RANDOM.tmp", after the process that
// writes them, so that a later run can tell the ones a killed run left behind from the ones
// a live run is writing. No such name matches a material file's mask.
// The process id in such a name; nothing for any other name.
std::optional<long> TemporaryFileOwner(std::string_view name);
// True for a temporary file of ours whose writer no longer runs.
bool IsLeftBehindTemporaryFile(std::string_view name);

}  // namespace vestrel

namespace vestrel {

// What identifies one version of a file: when any of it changes, the content may have.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Nothing when nothing can be found at the path.
std::optional<FileStamp> StampOf(const Text& path);

// The wall-clock time in the same nanoseconds as the file times.
std::int64_t NowNs();

}  // namespace vestrel
