#include "dictionary/ini_file.h"

#include <algorithm>

namespace vestrel {
namespace {

constexpr std::int64_t kClockTickNs = 2'000'000'000;

struct Line {
  std::size_t begin = 0;  // offset of the line in the content
  std::string_view text;  // without its ending
  std::string_view ending;
};

// Calls `visit` for every line of the content, in order, until it returns false.
template <typename Visit>
void ForEachLine(std::string_view content, Visit&& visit) {
  std::size_t begin = 0;
  while (begin < content.size()) {
    std::size_t end = content.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = content.size();
    std::size_t endingLength = 0;
    if (end < content.size()) endingLength = content.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    if (!visit(
            Line{begin, content.substr(begin, end - begin), content.substr(end, endingLength)})) {
      return;
    }
    begin = end + endingLength;
  }
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A name with its single-byte ASCII letters in lower case: two names match exactly when
// their folded forms are equal, since folding never moves a character boundary.
std::string Folded(std::string_view name) {
  std::string folded(name);
  for (Pos i = 0; i < static_cast<Pos>(folded.size()); i += CharLengthAt(folded, i)) {
    if (folded[i] >= 'A' && folded[i] <= 'Z') folded[i] = static_cast<char>(folded[i] + 32);
  }
  return folded;
}

enum class LineKind { kOther, kSection, kKey };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string_view name;   // section name or key
  std::string_view value;  // raw value of a key line
};

ParsedLine Parse(std::string_view line) {
  std::string_view content = TrimBlanks(line);
  if (content.empty() || content.front() == ';') return {};
  if (content.front() == '[') {
    Pos end = 1;
    while (end < static_cast<Pos>(content.size()) && content[end] != ']') {
      end += CharLengthAt(content, end);
    }
    end = std::min<Pos>(end, static_cast<Pos>(content.size()));
    return {
        LineKind::kSection, TrimBlanks(content.substr(1, static_cast<std::size_t>(end - 1))), {}};
  }
  // "=" is below every trail byte of GBK, so a byte search cannot cut a character.
  std::size_t equals = content.find('=');
  if (equals == std::string_view::npos) return {};
  return {LineKind::kKey, TrimBlanks(content.substr(0, equals)),
          TrimBlanks(content.substr(equals + 1))};
}

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

Text ValueAsRead(std::string_view raw) {
  if (raw.size() >= 2 && IsQuote(raw.front()) && raw.back() == raw.front()) {
    raw = raw.substr(1, raw.size() - 2);
  }
  return Text(raw.substr(0, static_cast<std::size_t>(kIniValueLimit)));
}

// The value as it must be written to read back whole: wrapped in double quotes when
// reading would take blanks or an enclosing quote pair away.
std::string ValueAsWritten(std::string_view value) {
  bool wrap = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
  wrap = wrap || (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front());
  return wrap ? "\"" + std::string(value) + "\"" : std::string(value);
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// Names that a file could not give back as they were written: they would break a line, be
// read as something other than a name, or swallow the "]" or "=" after them (a name ending
// in the lead byte of a two-byte character).
bool IsWritableSection(std::string_view section) {
  if (section.empty() || HasLineBreak(section)) return false;
  const std::string line = "[" + std::string(section) + "]";
  const ParsedLine parsed = Parse(line);
  return parsed.kind == LineKind::kSection && parsed.name == section;
}

bool IsWritableKey(std::string_view key) {
  if (key.empty() || HasLineBreak(key)) return false;
  const std::string line = std::string(key) + "=";
  const ParsedLine parsed = Parse(line);
  return parsed.kind == LineKind::kKey && parsed.name == key;
}

// Leading bytes up to 0x20 (blanks and control characters) are no part of a name or path.
Text SkipLeadingControls(const Text& text) {
  std::string_view bytes = text.view();
  while (!bytes.empty() && static_cast<unsigned char>(bytes.front()) <= 0x20)
    bytes.remove_prefix(1);
  return Text(bytes);
}

// The path, section and key of a read with leading controls skipped; nothing when one of
// them is then empty, in which case the file is not even opened.
struct ReadRequest {
  Text path;
  Text section;
  Text key;
};
std::optional<ReadRequest> MakeReadRequest(const Text& path, const Text& section, const Text& key) {
  ReadRequest request{SkipLeadingControls(path), SkipLeadingControls(section),
                      SkipLeadingControls(key)};
  if (request.path.empty() || request.section.empty() || request.key.empty()) return std::nullopt;
  return request;
}

}  // namespace

IniIndex::IniIndex(std::string_view content) {
  std::unordered_map<std::string, Text>* current = nullptr;
  ForEachLine(content, [&](const Line& line) {
    ParsedLine parsed = Parse(line.text);
    if (parsed.kind == LineKind::kSection) {
      auto [it, inserted] = sections_.try_emplace(Folded(parsed.name));
      current = inserted ? &it->second : nullptr;  // a repeated section is never searched
    } else if (parsed.kind == LineKind::kKey && current != nullptr) {
      current->try_emplace(Folded(parsed.name), ValueAsRead(parsed.value));
    }
    return true;
  });
}

std::optional<Text> IniIndex::Find(const Text& section, const Text& key) const {
  auto found = sections_.find(Folded(TrimSpaces(section.view())));
  if (found == sections_.end()) return std::nullopt;
  auto value = found->second.find(Folded(TrimSpaces(key.view())));
  if (value == found->second.end()) return std::nullopt;
  return value->second;
}

std::optional<Text> FindIniValue(std::string_view content, const Text& section, const Text& key) {
  // One read of one value: a scan that stops at the answer costs less than an index.
  const std::string wantedSection = Folded(TrimSpaces(section.view()));
  const std::string wantedKey = Folded(TrimSpaces(key.view()));
  enum class Where { kBefore, kInside, kAfter } where = Where::kBefore;
  std::optional<Text> value;
  ForEachLine(content, [&](const Line& line) {
    ParsedLine parsed = Parse(line.text);
    if (parsed.kind == LineKind::kSection) {
      if (where == Where::kInside) {
        where = Where::kAfter;  // only the first section of the name is searched
      } else if (Folded(parsed.name) == wantedSection) {
        where = Where::kInside;
      }
    } else if (where == Where::kInside && parsed.kind == LineKind::kKey &&
               Folded(parsed.name) == wantedKey) {
      value = ValueAsRead(parsed.value);
    }
    return where != Where::kAfter && !value;
  });
  return value;
}

std::optional<ByteArray> SetIniValue(std::string_view content, const Text& section, const Text& key,
                                     const Text& value) {
  std::string_view sectionName = TrimSpaces(section.view());
  std::string_view keyName = TrimSpaces(key.view());
  if (!IsWritableSection(sectionName) || !IsWritableKey(keyName) || HasLineBreak(value.view())) {
    return std::nullopt;
  }
  const std::string wantedSection = Folded(sectionName);
  const std::string wantedKey = Folded(keyName);
  const std::string written = ValueAsWritten(value.view());

  enum class Where { kBefore, kInside, kAfter } where = Where::kBefore;
  std::optional<Line> keyLine;     // the key's own line
  std::optional<Line> lastInside;  // the line a new key goes after
  std::optional<std::string_view> keySpelling;
  ForEachLine(content, [&](const Line& line) {
    ParsedLine parsed = Parse(line.text);
    if (parsed.kind == LineKind::kSection) {
      if (where == Where::kInside) {
        where = Where::kAfter;
      } else if (Folded(parsed.name) == wantedSection) {
        where = Where::kInside;
        lastInside = line;
      }
    } else if (where == Where::kInside && parsed.kind == LineKind::kKey) {
      lastInside = line;
      if (Folded(parsed.name) == wantedKey) {
        keyLine = line;
        keySpelling = parsed.name;
      }
    }
    return where != Where::kAfter && !keyLine;
  });

  ByteArray result;
  result.reserve(content.size() + written.size() + sectionName.size() + keyName.size() + 8);
  if (keyLine) {
    std::string_view indentation = keyLine->text.substr(0, keyLine->text.find_first_not_of(" \t"));
    result.append(content.substr(0, keyLine->begin));
    result.append(indentation).append(*keySpelling).append("=").append(written);
    result.append(content.substr(keyLine->begin + keyLine->text.size()));
    return result;
  }
  std::string newLine = std::string(keyName) + "=" + written + "\r\n";
  if (lastInside) {
    std::size_t after = lastInside->begin + lastInside->text.size() + lastInside->ending.size();
    result.append(content.substr(0, after));
    if (lastInside->ending.empty()) result.append("\r\n");
    result.append(newLine).append(content.substr(after));
    return result;
  }
  result.append(content);
  if (!content.empty() && content.back() != '\n' && content.back() != '\r') result.append("\r\n");
  result.append("[").append(sectionName).append("]\r\n").append(newLine);
  return result;
}

IniCache::Snapshot IniCache::Load(const Text& path) {
  std::lock_guard lock(mutex_);
  auto stamp = StampOf(path);
  auto it = entries_.find(path.str());
  if (stamp && it != entries_.end() && it->second.stamp == *stamp) {
    Entry& entry = it->second;
    if (entry.watch) {
      if (!entry.watch->Changed()) return entry.snapshot;
    } else if (entry.filledNs - stamp->modifiedNs >= kClockTickNs) {
      return entry.snapshot;
    } else {
      // Unproven: the file may have been rewritten within the same tick. Compare its bytes.
      auto content = ReadWholeFile(path);
      if (content && entry.snapshot.content && *content == *entry.snapshot.content) {
        entry.filledNs = NowNs();
        return entry.snapshot;
      }
    }
  }

  Entry entry;
  if (watchFiles_) entry.watch = WatchFile(path);
  entry.filledNs = NowNs();
  auto content = ReadWholeFile(path);
  Snapshot& snapshot = entry.snapshot;
  if (content) snapshot.content = std::make_shared<const ByteArray>(std::move(*content));
  snapshot.index = std::make_shared<const IniIndex>(
      snapshot.content ? std::string_view(*snapshot.content) : std::string_view());
  snapshot.derived = std::make_shared<Derived>();
  Snapshot result = snapshot;
  if (!stamp) {
    entries_.erase(path.str());
    return result;
  }
  // A job reads one or two dictionaries; a few entries are plenty.
  if (entries_.size() >= 4 && it == entries_.end()) entries_.clear();
  entry.stamp = *stamp;
  entries_[path.str()] = std::move(entry);
  return result;
}

std::shared_ptr<const IniIndex> IniCache::Get(const Text& path) {
  return Load(path).index;
}

Text ReadIniValue(const Text& path, const Text& section, const Text& key) {
  auto request = MakeReadRequest(path, section, key);
  if (!request) return {};
  auto content = ReadWholeFile(request->path);
  if (!content) return {};
  return FindIniValue(*content, request->section, request->key).value_or(Text());
}

Text ReadIniValue(IniCache& cache, const Text& path, const Text& section, const Text& key) {
  auto request = MakeReadRequest(path, section, key);
  if (!request) return {};
  return cache.Get(request->path)->Find(request->section, request->key).value_or(Text());
}

std::optional<ByteArray> IniContentToEdit(const Text& path) {
  return StampOf(path) ? ReadWholeFile(path) : ByteArray();
}

bool WriteIniValue(const Text& path, const Text& section, const Text& key, const Text& value) {
  auto content = IniContentToEdit(path);
  if (!content) return false;
  auto changed = SetIniValue(*content, section, key, value);
  return changed && ReplaceWholeFile(path, *changed);
}

bool IsTrueText(const Text& text) {
  return ToLowerCase(text) == Text("true");
}

Text BoolText(bool checked) {
  return checked ? "true" : "false";
}

}  // namespace vestrel
