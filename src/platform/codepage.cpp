#include "platform/codepage.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <memory>

namespace vestrel {
namespace {

// Byte-exact with Windows code page 936: the euro sign at 0x80 and the user-defined area.
constexpr const char* kGbkConverterName = "windows-936-2000";
constexpr UChar32 kReplacementCharacter = 0xFFFD;

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr OpenGbk(bool exact) {
  UErrorCode status = U_ZERO_ERROR;
  ConverterPtr converter(ucnv_open(kGbkConverterName, &status));
  if (U_FAILURE(status)) return nullptr;
  if (exact) {
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
  } else {
    ucnv_setSubstChars(converter.get(), "?", 1, &status);
  }
  return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

// A converter holds conversion state, so each thread keeps its own.
UConverter* GbkConverter(bool exact) {
  thread_local ConverterPtr lenient = OpenGbk(false);
  thread_local ConverterPtr strict = OpenGbk(true);
  return exact ? strict.get() : lenient.get();
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8, bool exact) {
  std::u16string utf16(utf8.size(), u'\0');  // never more code units than bytes
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(utf16.data(), static_cast<int32_t>(utf16.size()), &length, utf8.data(),
                       static_cast<int32_t>(utf8.size()),
                       exact ? U_SENTINEL : kReplacementCharacter, nullptr, &status);
  if (U_FAILURE(status)) return std::nullopt;
  utf16.resize(static_cast<std::size_t>(length));
  return utf16;
}

std::optional<std::string> Utf16ToGbkBytes(std::u16string_view utf16, bool exact) {
  UConverter* converter = GbkConverter(exact);
  if (converter == nullptr) return std::nullopt;
  ucnv_resetFromUnicode(converter);
  std::string gbk(utf16.size() * 2, '\0');  // GBK needs at most two bytes per code unit
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = ucnv_fromUChars(converter, gbk.data(), static_cast<int32_t>(gbk.size()),
                                   utf16.data(), static_cast<int32_t>(utf16.size()), &status);
  if (U_FAILURE(status)) return std::nullopt;
  gbk.resize(static_cast<std::size_t>(length));
  return gbk;
}

std::optional<std::u16string> GbkBytesToUtf16(std::string_view gbk, bool exact) {
  UConverter* converter = GbkConverter(exact);
  if (converter == nullptr) return std::nullopt;
  ucnv_resetToUnicode(converter);
  std::u16string utf16(gbk.size() + 1, u'\0');  // one code unit per byte at the most
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = ucnv_toUChars(converter, utf16.data(), static_cast<int32_t>(utf16.size()),
                                 gbk.data(), static_cast<int32_t>(gbk.size()), &status);
  if (U_FAILURE(status)) return std::nullopt;
  utf16.resize(static_cast<std::size_t>(length));
  return utf16;
}

std::optional<std::string> Utf16ToUtf8(std::u16string_view utf16, bool exact) {
  std::string utf8(utf16.size() * 3, '\0');  // three bytes per code unit at the most
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &length, utf16.data(),
                     static_cast<int32_t>(utf16.size()), exact ? U_SENTINEL : kReplacementCharacter,
                     nullptr, &status);
  if (U_FAILURE(status)) return std::nullopt;
  utf8.resize(static_cast<std::size_t>(length));
  return utf8;
}

}  // namespace

Text Utf8ToGbk(std::string_view utf8) {
  auto utf16 = Utf8ToUtf16(utf8, false);
  return utf16 ? Utf16ToGbk(*utf16) : Text();
}

Text GbkToUtf8(const Text& gbk) {
  auto utf16 = GbkBytesToUtf16(gbk.view(), false);
  if (!utf16) return {};
  auto utf8 = Utf16ToUtf8(*utf16, false);
  return utf8 ? Text(std::move(*utf8)) : Text();
}

std::u16string GbkToUtf16(const Text& gbk) {
  auto utf16 = GbkBytesToUtf16(gbk.view(), false);
  if (!utf16) return {};
  if (auto nul = utf16->find(u'\0'); nul != std::u16string::npos) utf16->resize(nul);
  return std::move(*utf16);
}

Text Utf16ToGbk(std::u16string_view utf16) {
  auto gbk = Utf16ToGbkBytes(utf16, false);
  return gbk ? Text(std::move(*gbk)) : Text();
}

std::u16string UpperCasedUtf16(const Text& gbk) {
  std::u16string units = GbkToUtf16(gbk);
  for (char16_t& unit : units) {
    if (unit < 0xD800 || unit > 0xDFFF) unit = static_cast<char16_t>(u_toupper(unit));
  }
  return units;
}

std::optional<Text> Utf8ToGbkExact(std::string_view utf8) {
  if (utf8.find('\0') != std::string_view::npos) return std::nullopt;
  auto utf16 = Utf8ToUtf16(utf8, true);
  if (!utf16) return std::nullopt;
  auto gbk = Utf16ToGbkBytes(*utf16, true);
  if (!gbk) return std::nullopt;
  return Text(std::move(*gbk));
}

std::optional<std::string> GbkToUtf8Exact(const Text& gbk) {
  auto utf16 = GbkBytesToUtf16(gbk.view(), true);
  if (!utf16) return std::nullopt;
  return Utf16ToUtf8(*utf16, true);
}

}  // namespace vestrel
