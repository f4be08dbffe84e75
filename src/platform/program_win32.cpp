#include <windows.h>

#include "platform/program.h"
#include "platform/windows_text.h"

namespace vestrel {

Text ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // a long path: ask again with more room
  }
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};
  return windows::GbkFromWide(std::wstring_view(path).substr(0, slash)).value_or(Text());
}

}  // namespace vestrel
