#include <windows.h>

#include "platform/registry.h"
#include "platform/windows_text.h"

namespace vestrel {
namespace {

// The 64-bit program reads the registry view that the 64-bit renderer writes.
class WindowsRegistry final : public Registry {
 public:
  [[nodiscard]] bool HasValue(const Text& keyPath, const Text& valueName) const override {
    HKEY key = Open(keyPath);
    if (key == nullptr) return false;
    auto name = windows::WideFromGbk(valueName);
    const bool found = name && ::RegQueryValueExW(key, name->c_str(), nullptr, nullptr, nullptr,
                                                  nullptr) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return found;
  }

  [[nodiscard]] Text ReadText(const Text& keyPath, const Text& valueName) const override {
    HKEY key = Open(keyPath);
    if (key == nullptr) return {};
    Text text;
    auto name = windows::WideFromGbk(valueName);
    DWORD type = 0;
    DWORD bytes = 0;
    if (name &&
        ::RegQueryValueExW(key, name->c_str(), nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
      std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
      DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
      if (::RegQueryValueExW(key, name->c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(value.data()), &size) == ERROR_SUCCESS) {
        value.resize(value.find(L'\0') == std::wstring::npos ? value.size() : value.find(L'\0'));
        if (type == REG_EXPAND_SZ) value = Expand(value);
        text = windows::GbkFromWide(value).value_or(Text());
      }
    }
    ::RegCloseKey(key);
    return text;
  }

 private:
  static HKEY Open(const Text& keyPath) {
    auto path = windows::WideFromGbk(keyPath);
    HKEY key = nullptr;
    if (!path ||
        ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path->c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return nullptr;
    }
    return key;
  }

  static std::wstring Expand(const std::wstring& value) {
    const DWORD length = ::ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
    if (length == 0) return {};
    std::wstring expanded(length, L'\0');
    ::ExpandEnvironmentStringsW(value.c_str(), expanded.data(), length);
    expanded.resize(length - 1);
    return expanded;
  }
};

}  // namespace

std::unique_ptr<Registry> SystemRegistry() {
  return std::make_unique<WindowsRegistry>();
}

}  // namespace vestrel
