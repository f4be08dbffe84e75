#include "materials/material_header.h"

#include <array>

#include "platform/codepage.h"
#include "platform/files.h"

namespace vestrel {
namespace {

constexpr std::string_view kStartMarker = "#define material";
constexpr std::string_view kEndMarker = "{";
constexpr std::string_view kHexPrefix = "xX";

// Everything the name region may hold around its token: ASCII white space and the
// full-width space. A line break before the brace is common in hand-edited files.
Text TrimRegion(const Text& region) {
  return TrimCharacters(region, [](std::string_view bytes, Pos at, Pos length) {
    return length == 1
               ? std::string_view(" \t\r\n\v\f").find(bytes[static_cast<std::size_t>(at)]) !=
                     std::string_view::npos
               : IsFullWidthSpace(bytes, at, length);
  });
}

Text DecodeHexName(const Text& digits) {
  return Utf8ToGbk(BytesToText(HexToBytes(digits)).view());
}

// The quoted form keeps the look of the old header, but it cannot hold a quote or a brace,
// a quoted name that begins with "xX" reads back as hexadecimal, and a few GBK bytes (the
// euro sign 0x80) glue to the closing quote as a two-byte character. The hexadecimal form
// holds any name, so the quoted one is used only when the name reads back from it.
bool QuotedFormHolds(const Text& name, const Text& utf8) {
  if (utf8.view().find_first_of("\"{") != std::string_view::npos) return false;
  if (utf8.view().starts_with(kHexPrefix)) return false;
  return MaterialNameOf(ConcatBytes(kStartMarker, " \"", utf8.view(), "\" {")) == name;
}

}  // namespace

ByteArray BytesBetween(std::string_view data, std::string_view start, std::string_view end) {
  Pos p = FindBytes(data, start);
  if (p == -1) return {};
  std::string_view after = data.substr(static_cast<std::size_t>(p - 1) + start.size());
  Pos q = FindBytes(after, end);
  if (q == -1) return {};
  return ByteArray(after.substr(0, static_cast<std::size_t>(q - 1)));
}

Text MaterialNameOf(std::string_view content) {
  Text name = TrimRegion(Utf8ToGbk(BytesBetween(content, kStartMarker, kEndMarker)));
  if (name.view().starts_with('"')) name = TextBetween(name, "\"", "\"");
  if (name.view().starts_with(kHexPrefix)) {
    name = DecodeHexName(TextBetween(name + "$]", Text(kHexPrefix), "$]"));
  }
  return name;
}

Text ReadMaterialName(const Text& path) {
  auto content = ReadWholeFile(path);
  return content ? MaterialNameOf(*content) : Text();
}

std::optional<ByteArray> ReplaceMaterialName(std::string_view content, const Text& newName) {
  Pos start = FindBytes(content, kStartMarker);
  if (start == -1) return std::nullopt;
  auto regionStart = static_cast<std::size_t>(start - 1) + kStartMarker.size();
  auto brace = content.find(kEndMarker, regionStart);
  if (brace == std::string_view::npos) return std::nullopt;
  std::string_view region = content.substr(regionStart, brace - regionStart);

  Text utf8 = GbkToUtf8(newName);
  ByteArray quotedToken = ConcatBytes("\"", utf8.view(), "\"");
  ByteArray token = region.find('"') != std::string_view::npos && QuotedFormHolds(newName, utf8)
                        ? quotedToken
                        : ConcatBytes(kHexPrefix, ToLowerCase(BytesToHex(utf8.view())).view());

  ByteArray result;
  result.reserve(content.size() + token.size() + 2);
  result.append(content.substr(0, static_cast<std::size_t>(start - 1)));
  result.append(kStartMarker).append(" ").append(token).append(" {");
  result.append(content.substr(brace + 1));
  return result;
}

ByteArray HexToBytes(const Text& digits) {
  ByteArray bytes;
  bytes.reserve(static_cast<std::size_t>(digits.size() / 2 + 1));
  for (Pos i = 1; i <= digits.size(); i += 2) {
    bytes.push_back(static_cast<char>(ParseHex64(TextMid(digits, i, 2)) & 0xFF));
  }
  return bytes;
}

std::uint64_t ParseHex64(const Text& digits) {
  std::array<unsigned char, 16> field{};
  field.fill('0');
  std::string_view bytes = digits.view();
  if (bytes.size() > field.size()) bytes = bytes.substr(bytes.size() - field.size());
  std::copy(bytes.begin(), bytes.end(), field.end() - static_cast<std::ptrdiff_t>(bytes.size()));

  // Any byte gets a digit value, hexadecimal or not, and the sums wrap modulo 2^32.
  auto digitValue = [](unsigned char v) -> std::uint32_t {
    int value = v >= 0x61 ? v - 87 : (v >= 0x41 ? v - 55 : v - 48);
    return static_cast<std::uint32_t>(value);
  };
  std::uint32_t high = 0;
  std::uint32_t low = 0;
  for (std::size_t i = 0; i < 8; ++i) high = high * 16 + digitValue(field[i]);
  for (std::size_t i = 8; i < 16; ++i) low = low * 16 + digitValue(field[i]);
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

Text ByteToHex2(std::uint8_t byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return Text(std::string{kDigits[byte >> 4], kDigits[byte & 0xF]});
}

Text BytesToHex(std::string_view bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char byte : bytes) hex += ByteToHex2(static_cast<std::uint8_t>(byte)).view();
  return Text(std::move(hex));
}

}  // namespace vestrel
