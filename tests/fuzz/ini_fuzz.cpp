// A value written reads back, and the rest of the file stays as it was.
#include <algorithm>
#include <cstdlib>

#include "dictionary/ini_file.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vestrel;
  fuzz::Input input(data, size);
  const Text section(input.Piece(16));
  const Text key(input.Piece(16));
  const Text value(input.Piece(255));
  const std::string_view content = input.Rest();
  (void)FindIniValue(content, section, key);
  auto written = SetIniValue(content, section, key, value);
  if (!written) return 0;
  if (FindIniValue(*written, section, key) != value) std::abort();

  // One line changed, or lines added in one place: what differs lies within one line of
  // the old content.
  const std::size_t prefix =
      std::mismatch(content.begin(), content.end(), written->begin(), written->end()).first -
      content.begin();
  std::size_t suffix = 0;
  while (suffix < content.size() - prefix && suffix < written->size() - prefix &&
         content[content.size() - 1 - suffix] == (*written)[written->size() - 1 - suffix]) {
    ++suffix;
  }
  const std::string_view changed = content.substr(prefix, content.size() - prefix - suffix);
  if (changed.find('\n') != std::string_view::npos && changed.find('\n') != changed.rfind('\n')) {
    std::abort();
  }
  return 0;
}
