// Path splitting on GBK texts.
//
// The separator is the platform's own: a backslash on Windows, a slash elsewhere. Where it
// is the backslash, the second byte of a two-byte GBK character can be 0x5C, so the
// separator is always searched for character by character, never byte by byte.
#pragma once

#include "text/text.h"

namespace vestrel {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif
inline const Text kPathSeparatorText{std::string_view(&kPathSeparator, 1)};

// The path with one separator appended when its last byte is not one.
Text WithTrailingSeparator(const Text& path);

// The last component as the shell finds it: what follows the last separator that is
// itself followed by something other than a separator ("C:\lib\" gives "lib\").
Text LastPathComponent(const Text& path);

// The extension of the last component, dot included: from its last dot to the end, unless
// a blank follows that dot ("a.my ext" has none). Empty when there is none.
Text FileExtension(const Text& path);

// The last component without its extension; empty when that component ends in a separator.
Text BaseNameWithoutExtension(const Text& path);

// The path up to and including its last separator; empty when it holds none.
Text ParentPrefix(const Text& path);

}  // namespace vestrel
