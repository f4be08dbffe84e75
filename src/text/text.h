// The three value types of the system and their operations.
//
// A Text is a GBK byte string (code page 936) that never holds a NUL byte.
// Positions are 1-based byte positions and a search that finds nothing gives -1.
// Searching, replacing, splitting, trimming and case changes step through a text by
// characters: a byte of 0x80 or above begins a two-byte character. Cutting by position
// and length works on bytes and may cut a two-byte character in half.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vestrel {

// A 1-based byte position or a byte count; -1 means "not found".
using Pos = std::ptrdiff_t;

class Text {
 public:
  Text() = default;
  // Takes the bytes up to the first NUL, so a Text can never hold one.
  Text(std::string_view bytes) : bytes_(bytes.substr(0, bytes.find('\0'))) {}  // NOLINT
  Text(const char* bytes) : Text(std::string_view(bytes)) {}                   // NOLINT
  explicit Text(std::string&& bytes) : bytes_(std::move(bytes)) {
    if (auto nul = bytes_.find('\0'); nul != std::string::npos) bytes_.resize(nul);
  }

  [[nodiscard]] std::string_view view() const { return bytes_; }
  [[nodiscard]] const std::string& str() const { return bytes_; }
  [[nodiscard]] const char* c_str() const { return bytes_.c_str(); }
  [[nodiscard]] bool empty() const { return bytes_.empty(); }
  [[nodiscard]] Pos size() const { return static_cast<Pos>(bytes_.size()); }
  // The byte at 0-based index i, as an unsigned value.
  [[nodiscard]] unsigned char at(Pos i) const {
    return static_cast<unsigned char>(bytes_[static_cast<std::size_t>(i)]);
  }

  Text& operator+=(const Text& other) {
    bytes_ += other.bytes_;
    return *this;
  }
  friend Text operator+(Text a, const Text& b) { return a += b; }
  friend bool operator==(const Text& a, const Text& b) = default;

 private:
  std::string bytes_;
};

// Any bytes, NUL included: file contents and material headers.
using ByteArray = std::string;

// An ordered list of texts that grows at its end.
using TextArray = std::vector<Text>;

// --- Basic operations -------------------------------------------------------------------

inline Pos TextLength(const Text& text) {
  return text.size();
}
int CompareText(const Text& a, const Text& b);
template <typename... Texts>
Text ConcatText(const Text& first, const Texts&... rest) {
  Text joined = first;
  ((joined += rest), ...);
  return joined;
}
Text BlankText(Pos count);

// --- Cutting by bytes -------------------------------------------------------------------

Text TextLeft(const Text& text, Pos count);
Text TextRight(const Text& text, Pos count);
Text TextMid(const Text& text, Pos start, Pos count);

// --- Searching and changing by characters -----------------------------------------------

// Length in bytes of the character that begins at 0-based index i.
inline Pos CharLengthAt(std::string_view bytes, Pos i) {
  return static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]) >= 0x80 &&
                 i + 1 < static_cast<Pos>(bytes.size())
             ? 2
             : 1;
}

Pos FindText(const Text& text, const Text& sought, Pos start = 1, bool ignoreCase = false);
Pos FindTextReverse(const Text& text, const Text& sought);
Text ReplaceText(const Text& text, const Text& old, const Text& replacement);
Text TrimText(const Text& text);
// The text without the characters at both ends for which `isBlank` holds; it is given the
// text's bytes and the 0-based index and length of each character.
Text TrimCharacters(const Text& text,
                    const std::function<bool(std::string_view bytes, Pos at, Pos length)>& isBlank);
// The full-width space (GBK A1 A1) as one character at `at`.
inline bool IsFullWidthSpace(std::string_view bytes, Pos at, Pos length) {
  return length == 2 && static_cast<unsigned char>(bytes[static_cast<std::size_t>(at)]) == 0xA1 &&
         static_cast<unsigned char>(bytes[static_cast<std::size_t>(at) + 1]) == 0xA1;
}
Text ToUpperCase(const Text& text);
Text ToLowerCase(const Text& text);
TextArray SplitText(const Text& text, const Text& separator);

// --- Conversions ------------------------------------------------------------------------

inline ByteArray TextToBytes(const Text& text) {
  return text.str();
}
inline Text BytesToText(std::string_view bytes) {
  return Text(bytes);
}
Text HexText(std::int32_t number);

// --- Byte arrays ------------------------------------------------------------------------

inline Pos BytesLength(std::string_view bytes) {
  return static_cast<Pos>(bytes.size());
}
Pos FindBytes(std::string_view bytes, std::string_view sought, Pos start = 1);
ByteArray BytesLeft(std::string_view bytes, Pos count);
ByteArray BytesRight(std::string_view bytes, Pos count);
ByteArray ReplaceBytesAt(std::string_view bytes, Pos start, Pos count,
                         std::string_view replacement);
template <typename... Arrays>
ByteArray ConcatBytes(std::string_view first, const Arrays&... rest) {
  ByteArray joined(first);
  ((joined += rest), ...);
  return joined;
}
ByteArray RepeatBytes(Pos times, std::string_view bytes);

// --- Lines and markers ------------------------------------------------------------------

Pos LineCount(const Text& text);
Text NthLine(const Text& text, Pos n);
// The text between the first startMarker at or after start and the next endMarker.
// In both markers the marker text "#引号" stands for a double quote.
Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker, Pos start = 0,
                 bool ignoreCase = false);

}  // namespace vestrel
