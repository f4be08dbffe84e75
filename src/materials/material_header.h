// The name header of a material file: "#define material", the name, "{".
//
// In the file a name is UTF-8, either between double quotes or as "xX" followed by two
// hexadecimal digits per byte. Only the first header counts; every byte outside it is
// carried over unchanged.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "text/text.h"

namespace vestrel {

// The bytes between the first `start` and the first `end` after it; empty when either is
// missing.
ByteArray BytesBetween(std::string_view data, std::string_view start, std::string_view end);

// The material name (GBK) of a file's content; empty when it yields none.
Text MaterialNameOf(std::string_view content);

// The material name of the file at `path`; empty when the file cannot be read or yields
// none.
Text ReadMaterialName(const Text& path);

// The content with the header rewritten to carry `newName`; nothing when the content has
// no complete header (the caller then leaves the file alone).
std::optional<ByteArray> ReplaceMaterialName(std::string_view content, const Text& newName);

ByteArray HexToBytes(const Text& digits);
std::uint64_t ParseHex64(const Text& digits);
Text BytesToHex(std::string_view bytes);
Text ByteToHex2(std::uint8_t byte);

}  // namespace vestrel
