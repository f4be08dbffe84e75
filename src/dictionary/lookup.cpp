#include "dictionary/lookup.h"

#include "app/status_texts.h"
#include "dictionary/regex_matcher.h"
#include "platform/files.h"

namespace vestrel {

Text ForwardLookup(IniCache& cache, const Text& dictionaryPath, const Text& key) {
  return ReadIniValue(cache, dictionaryPath, "dic", key);
}

Text ReverseLookup(const Text& dictionaryPath, const Text& section, const Text& value,
                   FailureLog& log) {
  // The added "[" gives the last section of the file an end.
  Text whole = ReadWholeText(dictionaryPath) + "\r\n[";
  Text sectionText = TextBetween(whole, "[" + section + "]", "[");
  RegexMatcher matcher;
  matcher.RunPattern("^(.*?)=" + EscapeForPattern(value) + "$", sectionText, true);
  if (matcher.MatchCount() < 2) return matcher.SubmatchText(1, 1);
  AppendFailure(log, FailureLine(kLineMultipleResults, value));
  return {};
}

Text ReadWholeText(const Text& path) {
  auto content = ReadWholeFile(path);
  if (!content) return {};
  std::string_view bytes = *content;
  Pos end = 0;
  while (end < BytesLength(bytes)) {
    auto byte = static_cast<unsigned char>(bytes[end]);
    if (byte == 0x00 || byte == 0x1A) break;
    if (byte >= 0x80 && end + 1 < BytesLength(bytes) && bytes[end + 1] == '\0') break;
    end += CharLengthAt(bytes, end);
  }
  return Text(bytes.substr(0, static_cast<std::size_t>(end)));
}

Text EscapeForPattern(const Text& value) {
  static constexpr std::string_view kMeaningful = "\\^$.|?*+()[]{}";
  std::string escaped;
  std::string_view bytes = value.view();
  escaped.reserve(bytes.size() * 2);
  for (Pos i = 0; i < value.size();) {
    Pos length = CharLengthAt(bytes, i);
    if (length == 1 && kMeaningful.find(bytes[i]) != std::string_view::npos) escaped += '\\';
    escaped.append(bytes.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(length)));
    i += length;
  }
  return Text(std::move(escaped));
}

}  // namespace vestrel
