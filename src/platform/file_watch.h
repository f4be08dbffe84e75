// Telling whether a file was written to since a moment, without reading it.
#pragma once

#include <memory>

#include "text/text.h"

namespace vestrel {

class FileWatch {
 public:
  FileWatch() = default;
  FileWatch(const FileWatch&) = delete;
  FileWatch& operator=(const FileWatch&) = delete;
  virtual ~FileWatch() = default;

  // True once anything wrote to the file, changed its attributes or moved it since the watch
  // started; it stays true. A write that has returned before the call is always seen.
  virtual bool Changed() = 0;
};

// A watch on the file at `path` from now on; null where the system cannot watch it (the
// caller then has to compare contents).
std::unique_ptr<FileWatch> WatchFile(const Text& path);

}  // namespace vestrel
