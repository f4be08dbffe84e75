// Conversions between GBK (Windows code page 936), UTF-8 and UTF-16.
//
// The lenient conversions never fail: malformed input and characters that the target
// cannot hold become a substitute ("?" in GBK, U+FFFD in UTF-8 and UTF-16), and the result
// ends at the first NUL. The exact conversions refuse such input instead; they serve file
// names, where a lossy conversion could name another file. Every function may be called
// from several threads at once.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace vestrel {

Text Utf8ToGbk(std::string_view utf8);
// The UTF-8 bytes of a GBK text, held in a Text (UTF-8 holds no NUL either).
Text GbkToUtf8(const Text& gbk);

std::u16string GbkToUtf16(const Text& gbk);
Text Utf16ToGbk(std::u16string_view utf16);

// The UTF-16 of a GBK text with every code unit upper-cased by the simple Unicode case
// mapping, as NTFS compares names.
std::u16string UpperCasedUtf16(const Text& gbk);

// Nothing when the UTF-8 is malformed or holds a character that GBK lacks.
std::optional<Text> Utf8ToGbkExact(std::string_view utf8);
// Nothing when the text is not well-formed GBK.
std::optional<std::string> GbkToUtf8Exact(const Text& gbk);

}  // namespace vestrel
