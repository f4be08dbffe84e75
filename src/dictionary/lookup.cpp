#include "dictionary/lookup.h"

#include <unordered_map>

#include "app/status_texts.h"
#include "dictionary/regex_matcher.h"
#include "platform/codepage.h"
#include "platform/files.h"

namespace vestrel {
namespace {

// The text of a file's bytes as a reverse lookup reads it: up to the first NUL or Ctrl-Z
// that begins a character; a lead byte right before a NUL goes too.
Text TextUpToEnd(std::string_view bytes) {
  Pos end = 0;
  while (end < BytesLength(bytes)) {
    auto byte = static_cast<unsigned char>(bytes[end]);
    if (byte == 0x00 || byte == 0x1A) break;
    if (byte >= 0x80 && end + 1 < BytesLength(bytes) && bytes[end + 1] == '\0') break;
    end += CharLengthAt(bytes, end);
  }
  return Text(bytes.substr(0, static_cast<std::size_t>(end)));
}

// The text of a section as a reverse lookup searches it: from just after its first header
// to the next "[", wherever that stands.
Text SectionText(const Text& whole, const Text& section) {
  // The added "[" gives the last section of the file an end.
  return TextBetween(whole + "\r\n[", "[" + section + "]", "[");
}

// What the pattern "^(.*?)=" + value + "$" finds in a section: every line that ends in "="
// and the value, its key being the text before that "=". A line holds such a match for as
// many values as it has "=" signs, once each, so the matches of all values can be counted
// in one pass over the lines. Lines are cut at CR and at LF, as the pattern's "." and "$"
// cut them, and texts are compared as the matcher compares them, in UTF-16.
class ReverseIndex {
 public:
  explicit ReverseIndex(const Text& sectionText) {
    const std::u16string text = GbkToUtf16(sectionText);
    std::size_t begin = 0;
    while (begin <= text.size()) {
      std::size_t end = text.find_first_of(u"\r\n", begin);
      if (end == std::u16string::npos) end = text.size();
      if (!AddLine(std::u16string_view(text).substr(begin, end - begin))) return;
      begin = end + 1;
    }
    usable_ = true;
  }

  // Nothing when the index cannot answer and the matcher must.
  [[nodiscard]] std::optional<std::pair<int, std::u16string>> Find(
      const std::u16string& value) const {
    if (!usable_) return std::nullopt;
    auto found = matches_.find(value);
    if (found == matches_.end()) return std::make_pair(0, std::u16string());
    return found->second;
  }

 private:
  // A line with very many "=" would make the index grow with the square of its length.
  static constexpr std::size_t kMostEqualsPerLine = 16;

  bool AddLine(std::u16string_view line) {
    std::size_t signs = 0;
    for (std::size_t at = line.find(u'='); at != std::u16string_view::npos;
         at = line.find(u'=', at + 1)) {
      if (++signs > kMostEqualsPerLine) return false;
      auto [entry, added] = matches_.try_emplace(std::u16string(line.substr(at + 1)), 0,
                                                 std::u16string(line.substr(0, at)));
      ++entry->second.first;
    }
    return true;
  }

  bool usable_ = false;
  std::unordered_map<std::u16string, std::pair<int, std::u16string>> matches_;  // count, first key
};

// The matcher's answer: the number of matches and the first match's key.
std::pair<int, Text> MatchKeys(const Text& sectionText, const Text& value) {
  RegexMatcher matcher;
  matcher.RunPattern("^(.*?)=" + EscapeForPattern(value) + "$", sectionText, true);
  return {matcher.MatchCount(), matcher.SubmatchText(1, 1)};
}

// The key when at most one line has the value; otherwise nothing, and the line that says so.
Text KeyOrMultipleResults(int count, Text key, const Text& value, FailureLog& log) {
  if (count < 2) return key;
  AppendFailure(log, FailureLine(kLineMultipleResults, value));
  return {};
}

}  // namespace

Text ForwardLookup(IniCache& cache, const Text& dictionaryPath, const Text& key) {
  return ReadIniValue(cache, dictionaryPath, "dic", key);
}

Text ReverseLookup(IniCache& cache, const Text& dictionaryPath, const Text& section,
                   const Text& value, FailureLog& log) {
  IniCache::Snapshot snapshot = cache.Load(dictionaryPath);
  auto sectionText = [&] {
    return SectionText(snapshot.content ? TextUpToEnd(*snapshot.content) : Text(), section);
  };
  std::optional<std::pair<int, std::u16string>> indexed;
  // A value with a line break spans lines; only the matcher knows what that finds.
  if (value.view().find_first_of("\r\n") == std::string_view::npos) {
    auto index = snapshot.derived->Get<ReverseIndex>(
        "reverse:" + section.str(), [&] { return std::make_shared<ReverseIndex>(sectionText()); });
    indexed = index->Find(GbkToUtf16(value));
  }
  auto [count, key] = indexed ? std::make_pair(indexed->first, Utf16ToGbk(indexed->second))
                              : MatchKeys(sectionText(), value);
  return KeyOrMultipleResults(count, std::move(key), value, log);
}

Text ReverseLookupByPattern(const Text& dictionaryPath, const Text& section, const Text& value,
                            FailureLog& log) {
  auto [count, key] = MatchKeys(SectionText(ReadWholeText(dictionaryPath), section), value);
  return KeyOrMultipleResults(count, std::move(key), value, log);
}

Text ReadWholeText(const Text& path) {
  auto content = ReadWholeFile(path);
  return content ? TextUpToEnd(*content) : Text();
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
