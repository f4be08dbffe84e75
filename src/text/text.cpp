#include "text/text.h"

#include <algorithm>
#include <cstring>

namespace vestrel {
namespace {

// The stretch of `bytes` at 0-based index i equals `sought`, byte for byte or with the
// ASCII letters folded.
bool BytesMatchAt(std::string_view bytes, Pos i, std::string_view sought, bool ignoreCase) {
  if (i + static_cast<Pos>(sought.size()) > static_cast<Pos>(bytes.size())) return false;
  if (!ignoreCase) return bytes.compare(static_cast<std::size_t>(i), sought.size(), sought) == 0;
  auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  for (std::size_t k = 0; k < sought.size(); ++k) {
    if (fold(bytes[static_cast<std::size_t>(i) + k]) != fold(sought[k])) return false;
  }
  return true;
}

Text ChangeCase(const Text& text, char from, char to) {
  std::string bytes = text.str();
  for (Pos i = 0; i < static_cast<Pos>(bytes.size());) {
    Pos length = CharLengthAt(bytes, i);
    if (length == 1 && bytes[i] >= from && bytes[i] <= to) bytes[i] ^= 0x20;
    i += length;
  }
  return Text(std::move(bytes));
}

}  // namespace

int CompareText(const Text& a, const Text& b) {
  // std::string compares as unsigned char, which is the byte order asked for.
  int order = a.str().compare(b.str());
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

Text BlankText(Pos count) {
  return count < 1 ? Text() : Text(std::string(static_cast<std::size_t>(count), ' '));
}

Text TextLeft(const Text& text, Pos count) {
  if (count <= 0) return {};
  return Text(text.view().substr(0, static_cast<std::size_t>(count)));
}

Text TextRight(const Text& text, Pos count) {
  if (count <= 0) return {};
  if (count >= text.size()) return text;
  return Text(text.view().substr(static_cast<std::size_t>(text.size() - count)));
}

Text TextMid(const Text& text, Pos start, Pos count) {
  if (start < 1 || start > text.size() || count <= 0) return {};
  return Text(
      text.view().substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

Pos FindText(const Text& text, const Text& sought, Pos start, bool ignoreCase) {
  if (start < 1) start = 1;
  if (start > text.size()) return -1;
  if (sought.empty()) return 1;
  std::string_view bytes = text.view();
  for (Pos i = start - 1; i < text.size(); i += CharLengthAt(bytes, i)) {
    if (BytesMatchAt(bytes, i, sought.view(), ignoreCase)) return i + 1;
  }
  return -1;
}

Pos FindTextReverse(const Text& text, const Text& sought) {
  if (text.empty()) return -1;
  if (sought.empty()) return 1;
  std::string_view bytes = text.view();
  Pos found = -1;
  for (Pos i = 0; i < text.size(); i += CharLengthAt(bytes, i)) {
    if (BytesMatchAt(bytes, i, sought.view(), false)) found = i + 1;
  }
  return found;
}

Text ReplaceText(const Text& text, const Text& old, const Text& replacement) {
  if (text.empty() || old.empty()) return text;
  std::string_view bytes = text.view();
  std::string result;
  result.reserve(bytes.size());
  for (Pos i = 0; i < text.size();) {
    if (BytesMatchAt(bytes, i, old.view(), false)) {
      result += replacement.view();
      i += old.size();
    } else {
      Pos length = CharLengthAt(bytes, i);
      result.append(bytes.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(length)));
      i += length;
    }
  }
  return Text(std::move(result));
}

Text TrimCharacters(
    const Text& text,
    const std::function<bool(std::string_view bytes, Pos at, Pos length)>& isBlank) {
  std::string_view bytes = text.view();
  Pos begin = 0;
  Pos end = 0;  // one past the last character that is not blank
  bool leading = true;
  for (Pos i = 0; i < text.size();) {
    Pos length = CharLengthAt(bytes, i);
    bool blank = isBlank(bytes, i, length);
    if (leading && blank) {
      begin = i + length;
    } else if (!blank) {
      leading = false;
      end = i + length;
    }
    i += length;
  }
  if (end <= begin) return {};
  return Text(bytes.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin)));
}

Text TrimText(const Text& text) {
  return TrimCharacters(text, [](std::string_view bytes, Pos at, Pos length) {
    return (length == 1 && bytes[static_cast<std::size_t>(at)] == ' ') ||
           IsFullWidthSpace(bytes, at, length);
  });
}

Text ToUpperCase(const Text& text) {
  return ChangeCase(text, 'a', 'z');
}
Text ToLowerCase(const Text& text) {
  return ChangeCase(text, 'A', 'Z');
}

TextArray SplitText(const Text& text, const Text& separator) {
  if (text.empty()) return {};
  if (separator.empty()) return {text};
  std::string_view bytes = text.view();
  TextArray pieces;
  Pos pieceStart = 0;
  for (Pos i = 0; i < text.size();) {
    if (BytesMatchAt(bytes, i, separator.view(), false)) {
      pieces.emplace_back(bytes.substr(static_cast<std::size_t>(pieceStart),
                                       static_cast<std::size_t>(i - pieceStart)));
      i += separator.size();
      pieceStart = i;
    } else {
      i += CharLengthAt(bytes, i);
    }
  }
  if (pieceStart < text.size())
    pieces.emplace_back(bytes.substr(static_cast<std::size_t>(pieceStart)));
  return pieces;
}

Text HexText(std::int32_t number) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  auto value = static_cast<std::uint32_t>(number);
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return Text(std::move(digits));
}

Pos FindBytes(std::string_view bytes, std::string_view sought, Pos start) {
  if (start < 1) start = 1;
  if (sought.empty() || start > BytesLength(bytes)) return -1;
  auto found = bytes.find(sought, static_cast<std::size_t>(start - 1));
  return found == std::string_view::npos ? -1 : static_cast<Pos>(found) + 1;
}

ByteArray BytesLeft(std::string_view bytes, Pos count) {
  if (count <= 0) return {};
  return ByteArray(bytes.substr(0, static_cast<std::size_t>(count)));
}

ByteArray BytesRight(std::string_view bytes, Pos count) {
  if (count <= 0) return {};
  if (count >= BytesLength(bytes)) return ByteArray(bytes);
  return ByteArray(bytes.substr(bytes.size() - static_cast<std::size_t>(count)));
}

ByteArray ReplaceBytesAt(std::string_view bytes, Pos start, Pos count,
                         std::string_view replacement) {
  Pos length = BytesLength(bytes);
  start = std::clamp<Pos>(start, 1, length + 1);
  count = std::clamp<Pos>(count, 0, length - start + 1);
  ByteArray result(bytes.substr(0, static_cast<std::size_t>(start - 1)));
  result += replacement;
  result += bytes.substr(static_cast<std::size_t>(start - 1 + count));
  return result;
}

ByteArray RepeatBytes(Pos times, std::string_view bytes) {
  ByteArray result;
  if (times <= 0) return result;
  result.reserve(bytes.size() * static_cast<std::size_t>(times));
  for (Pos i = 0; i < times; ++i) result += bytes;
  return result;
}

Pos LineCount(const Text& text) {
  if (text.empty()) return 0;
  auto feeds = static_cast<Pos>(std::count(text.view().begin(), text.view().end(), '\n'));
  return text.view().back() == '\n' ? feeds : feeds + 1;
}

Text NthLine(const Text& text, Pos n) {
  TextArray lines = SplitText(text, "\r\n");
  if (n < 1 || n > static_cast<Pos>(lines.size())) return {};
  return lines[static_cast<std::size_t>(n - 1)];
}

Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker, Pos start,
                 bool ignoreCase) {
  static const Text kQuoteMarker = "#\xD2\xFD\xBA\xC5";  // "#引号"
  Text opening = ReplaceText(startMarker, kQuoteMarker, "\"");
  Text closing = ReplaceText(endMarker, kQuoteMarker, "\"");
  Pos p = FindText(text, opening, start, ignoreCase);
  if (p == -1) return {};
  Pos from = p + opening.size();
  Pos q = FindText(text, closing, from, ignoreCase);
  if (q == -1) return {};
  return TextMid(text, from, q - from);
}

}  // namespace vestrel
