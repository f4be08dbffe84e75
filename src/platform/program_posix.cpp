#include <unistd.h>

#include <array>
#include <climits>

#include "platform/codepage.h"
#include "platform/program.h"

namespace vestrel {

Text ProgramFolder() {
  std::array<char, PATH_MAX> buffer{};
  ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return {};
  std::string_view path(buffer.data(), static_cast<std::size_t>(length));
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string_view::npos) return {};
  // The root folder keeps its slash; any other loses it.
  auto folder = Utf8ToGbkExact(path.substr(0, slash == 0 ? 1 : slash));
  return folder.value_or(Text());
}

}  // namespace vestrel
