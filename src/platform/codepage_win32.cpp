// Code pages through the Windows converters, with code page 936 named explicitly: the
// machine's ANSI code page plays no part.
#include <windows.h>

#include "platform/codepage.h"
#include "platform/windows_text.h"

namespace vestrel {
namespace {

constexpr UINT kGbk = 936;

std::optional<std::wstring> Decode(UINT codePage, std::string_view bytes, bool exact) {
  if (bytes.empty()) return std::wstring();
  const DWORD flags = exact ? MB_ERR_INVALID_CHARS : 0;
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (length <= 0) return exact ? std::nullopt : std::optional<std::wstring>(std::wstring());
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), length);
  return wide;
}

// GBK holds no character beyond the first plane. The converter would mark both UTF-16 units
// of such a character; one "?" for one character, as for every other character GBK lacks.
std::wstring MarkedBeyondFirstPlane(std::wstring_view wide) {
  std::wstring marked;
  marked.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const bool pair = wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() &&
                      wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
    marked += pair ? L'?' : wide[i];
    if (pair) ++i;
  }
  return marked;
}

std::optional<std::string> Encode(UINT codePage, std::wstring_view wide, bool exact) {
  if (wide.empty()) return std::string();
  std::wstring marked;
  if (codePage == kGbk && !exact) {
    marked = MarkedBeyondFirstPlane(wide);
    wide = marked;
  }
  const int size = static_cast<int>(wide.size());
  DWORD flags = 0;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultPointer = nullptr;
  if (codePage == CP_UTF8) {
    flags = exact ? WC_ERR_INVALID_CHARS : 0;
  } else if (exact) {
    flags = WC_NO_BEST_FIT_CHARS;
    usedDefaultPointer = &usedDefault;
  }
  const int length = ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr,
                                           usedDefaultPointer);
  if (length <= 0 || usedDefault)
    return exact ? std::nullopt : std::optional<std::string>(std::string());
  std::string bytes(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), length, nullptr,
                        usedDefaultPointer);
  if (usedDefault) return std::nullopt;
  return bytes;
}

std::u16string ToU16(std::wstring wide) {
  return std::u16string(wide.begin(), wide.end());
}

}  // namespace

Text Utf8ToGbk(std::string_view utf8) {
  auto wide = Decode(CP_UTF8, utf8, false);
  auto gbk = wide ? Encode(kGbk, *wide, false) : std::nullopt;
  return gbk ? Text(std::move(*gbk)) : Text();
}

Text GbkToUtf8(const Text& gbk) {
  auto wide = Decode(kGbk, gbk.view(), false);
  auto utf8 = wide ? Encode(CP_UTF8, *wide, false) : std::nullopt;
  return utf8 ? Text(std::move(*utf8)) : Text();
}

std::u16string GbkToUtf16(const Text& gbk) {
  auto wide = Decode(kGbk, gbk.view(), false);
  return wide ? ToU16(std::move(*wide)) : std::u16string();
}

Text Utf16ToGbk(std::u16string_view utf16) {
  std::wstring wide(utf16.begin(), utf16.end());
  auto gbk = Encode(kGbk, wide, false);
  return gbk ? Text(std::move(*gbk)) : Text();
}

std::u16string UpperCasedUtf16(const Text& gbk) {
  std::u16string units = GbkToUtf16(gbk);
  // The invariant locale's simple mapping, code unit by code unit, as NTFS compares names.
  for (char16_t& unit : units) {
    if (unit >= 0xD800 && unit <= 0xDFFF) continue;
    wchar_t upper = 0;
    wchar_t one = static_cast<wchar_t>(unit);
    if (::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &one, 1, &upper, 1, nullptr,
                        nullptr, 0) == 1) {
      unit = static_cast<char16_t>(upper);
    }
  }
  return units;
}

std::optional<Text> Utf8ToGbkExact(std::string_view utf8) {
  if (utf8.find('\0') != std::string_view::npos) return std::nullopt;
  auto wide = Decode(CP_UTF8, utf8, true);
  if (!wide) return std::nullopt;
  auto gbk = Encode(kGbk, *wide, true);
  if (!gbk) return std::nullopt;
  return Text(std::move(*gbk));
}

std::optional<std::string> GbkToUtf8Exact(const Text& gbk) {
  auto wide = Decode(kGbk, gbk.view(), true);
  if (!wide) return std::nullopt;
  return Encode(CP_UTF8, *wide, true);
}

namespace windows {

std::optional<std::wstring> WideFromGbk(const Text& gbk) {
  return Decode(kGbk, gbk.view(), true);
}

std::optional<Text> GbkFromWide(std::wstring_view wide) {
  auto gbk = Encode(kGbk, wide, true);
  if (!gbk) return std::nullopt;
  return Text(std::move(*gbk));
}

Text GbkFromWideMarked(std::wstring_view wide) {
  auto gbk = Encode(kGbk, wide, false);
  return gbk ? Text(std::move(*gbk)) : Text();
}

std::wstring WideFromUtf8(std::string_view utf8) {
  return Decode(CP_UTF8, utf8, false).value_or(std::wstring());
}

std::string Utf8FromWide(std::wstring_view wide) {
  return Encode(CP_UTF8, wide, false).value_or(std::string());
}

std::optional<std::wstring> WidePath(const Text& path) {
  auto wide = WideFromGbk(path);
  if (!wide || wide->empty()) return wide;
  // Always absolute: only an absolute path can carry the prefix that lifts the 260-character
  // limit, and a name relative to the current folder has failed in some of the functions.
  const DWORD needed = ::GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
  if (needed == 0) return wide;
  std::wstring full(needed, L'\0');
  full.resize(::GetFullPathNameW(wide->c_str(), needed, full.data(), nullptr));
  if (full.size() >= MAX_PATH - 12 && !full.starts_with(L"\\\\?\\")) {
    full = full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
  }
  return full;
}

}  // namespace windows
}  // namespace vestrel
