// Reading a whole file through the system's read call, whatever the system.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "text/text.h"

namespace vestrel {

// Reads into a buffer of the file's size, so that a large file is held once; a file that
// grows meanwhile is read to its end all the same. `read(buffer, room)` returns the number
// of bytes read, 0 at the end, or a negative number on failure.
template <typename Read>
std::optional<ByteArray> ReadAll(std::size_t size, Read&& read) {
  ByteArray content;
  content.resize(size);
  std::size_t filled = 0;
  std::array<char, 65536> more{};
  while (true) {
    const bool inBuffer = filled < content.size();
    char* target = inBuffer ? content.data() + filled : more.data();
    const std::size_t room = inBuffer ? content.size() - filled : more.size();
    const long long got = read(target, room);
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    if (!inBuffer) content.append(more.data(), static_cast<std::size_t>(got));
    filled += static_cast<std::size_t>(got);
  }
  content.resize(filled);
  return content;
}

}  // namespace vestrel
