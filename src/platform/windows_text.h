// Conversions between our GBK texts and the UTF-16 of the Windows wide-character functions,
// always through code page 936, whatever the machine's own ANSI code page; and between UTF-16
// and the UTF-8 of the command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace vestrel::windows {

// Nothing when the text is not well-formed GBK.
std::optional<std::wstring> WideFromGbk(const Text& gbk);
// Nothing when GBK cannot hold every character.
std::optional<Text> GbkFromWide(std::wstring_view wide);
// "?" for every character GBK cannot hold: how such a name is shown in a log line.
Text GbkFromWideMarked(std::wstring_view wide);

// U+FFFD for what is not well-formed, as the system converts.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// A path for the wide-character file functions: absolute, with the long-path prefix where it
// needs one; nothing when GBK cannot be converted exactly.
std::optional<std::wstring> WidePath(const Text& path);

}  // namespace vestrel::windows
