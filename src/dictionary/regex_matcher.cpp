#define PCRE2_CODE_UNIT_WIDTH 16
#include "dictionary/regex_matcher.h"

#include <pcre2.h>

#include <memory>

#include "platform/codepage.h"

namespace vestrel {
namespace {

// Generous for any dictionary line, small enough that a pathological pattern gives up
// within a fraction of a second.
constexpr uint32_t kMatchLimit = 2'000'000;
constexpr uint32_t kDepthLimit = 10'000;
constexpr std::size_t kHeapLimitKiB = std::size_t{64} * 1024;
constexpr std::size_t kJitStackMin = std::size_t{32} * 1024;
constexpr std::size_t kJitStackMax = std::size_t{1024} * 1024;

struct CodeFree {
  void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct CompileContextFree {
  void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};
struct MatchContextFree {
  void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct MatchDataFree {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct JitStackFree {
  void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};

std::unique_ptr<pcre2_code, CodeFree> Compile(const std::u16string& pattern, bool ignoreCase,
                                              bool multiline) {
  std::unique_ptr<pcre2_compile_context, CompileContextFree> context(
      pcre2_compile_context_create(nullptr));
  if (!context) return nullptr;
  // CR and LF each end a line, and CR LF is one line end, so "$" holds before the CR.
  pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
  uint32_t options =
      PCRE2_UTF | PCRE2_ALT_BSUX | PCRE2_ALLOW_EMPTY_CLASS | PCRE2_MATCH_UNSET_BACKREF;
  if (ignoreCase) options |= PCRE2_CASELESS;
  if (multiline) options |= PCRE2_MULTILINE;
  int error = 0;
  PCRE2_SIZE offset = 0;
  std::unique_ptr<pcre2_code, CodeFree> code(
      pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options, &error,
                    &offset, context.get()));
  if (code) pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE);  // the interpreter serves without it
  return code;
}

// The index one character after `index`, stepping over a surrogate pair as one character.
std::size_t NextCharacter(const std::u16string& text, std::size_t index) {
  if (index + 1 < text.size() && text[index] >= 0xD800 && text[index] <= 0xDBFF &&
      text[index + 1] >= 0xDC00 && text[index + 1] <= 0xDFFF) {
    return index + 2;
  }
  return index + 1;
}

}  // namespace

bool RegexMatcher::RunPattern(const Text& pattern, const Text& subject, bool caseSensitive,
                              bool multiline, bool global, bool replaceQuoteMarker) {
  static const Text kQuoteMarker = "#\xD2\xFD\xBA\xC5";  // "#引号"
  hasEngine_ = true;
  matches_.clear();
  pattern_ = GbkToUtf16(replaceQuoteMarker ? ReplaceText(pattern, kQuoteMarker, "\"") : pattern);
  subject_ = GbkToUtf16(subject);

  auto code = Compile(pattern_, !caseSensitive, multiline);
  if (!code) return false;
  std::unique_ptr<pcre2_match_context, MatchContextFree> context(
      pcre2_match_context_create(nullptr));
  std::unique_ptr<pcre2_match_data, MatchDataFree> data(
      pcre2_match_data_create_from_pattern(code.get(), nullptr));
  std::unique_ptr<pcre2_jit_stack, JitStackFree> stack(
      pcre2_jit_stack_create(kJitStackMin, kJitStackMax, nullptr));
  if (!context || !data) return false;
  pcre2_set_match_limit(context.get(), kMatchLimit);
  pcre2_set_depth_limit(context.get(), kDepthLimit);
  pcre2_set_heap_limit(context.get(), kHeapLimitKiB);
  if (stack) pcre2_jit_stack_assign(context.get(), nullptr, stack.get());

  std::vector<Match> found;
  std::size_t start = 0;
  while (start <= subject_.size()) {
    int result = pcre2_match(code.get(), reinterpret_cast<PCRE2_SPTR>(subject_.data()),
                             subject_.size(), start, 0, data.get(), context.get());
    if (result == PCRE2_ERROR_NOMATCH) break;
    if (result < 0) return false;  // a limit was hit: no matches at all
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
    uint32_t pairs = pcre2_get_ovector_count(data.get());
    Match match;
    for (std::size_t i = 0; i < pairs; ++i) {
      if (ovector[2 * i] == PCRE2_UNSET) {
        match.spans.emplace_back(std::nullopt);
      } else {
        match.spans.emplace_back(std::make_pair(ovector[2 * i], ovector[2 * i + 1]));
      }
    }
    std::size_t end = ovector[1];
    found.push_back(std::move(match));
    if (!global) break;
    start = end > ovector[0] ? end : NextCharacter(subject_, end);
  }
  matches_ = std::move(found);
  return true;
}

Text RegexMatcher::PatternText() const {
  return hasEngine_ ? Utf16ToGbk(pattern_) : Text();
}

int RegexMatcher::MatchCount() const {
  return static_cast<int>(matches_.size());
}

std::u16string_view RegexMatcher::SpanText(const Span& span) const {
  if (!span) return {};
  return std::u16string_view(subject_).substr(span->first, span->second - span->first);
}

Text RegexMatcher::MatchText(int n) const {
  if (n < 1 || n > MatchCount()) return {};
  return Utf16ToGbk(SpanText(matches_[static_cast<std::size_t>(n - 1)].spans[0]));
}

Text RegexMatcher::SubmatchText(int n, int k) const {
  if (n < 1 || n > MatchCount()) return {};
  const auto& spans = matches_[static_cast<std::size_t>(n - 1)].spans;
  if (k < 1 || static_cast<std::size_t>(k) >= spans.size()) return {};
  return Utf16ToGbk(SpanText(spans[static_cast<std::size_t>(k)]));
}

int RegexMatcher::SubmatchCount() const {
  return matches_.empty() ? 0 : static_cast<int>(matches_.front().spans.size()) - 1;
}

std::size_t RegexMatcher::AppendSubstitution(std::u16string& out, std::u16string_view after,
                                             const Match& match) const {
  if (after.empty()) return 0;
  const auto& whole = *match.spans[0];
  switch (after[0]) {
    case u'$':
      out += u'$';
      return 1;
    case u'&':
      out.append(SpanText(match.spans[0]));
      return 1;
    case u'`':
      out.append(subject_, 0, whole.first);
      return 1;
    case u'\'':
      out.append(subject_, whole.second);
      return 1;
    default:
      break;
  }
  auto digit = [&](std::size_t at) {
    return at < after.size() && after[at] >= u'0' && after[at] <= u'9'
               ? std::optional<std::size_t>(after[at] - u'0')
               : std::nullopt;
  };
  auto first = digit(0);
  if (!first) return 0;
  // Two digits when they name a group, else one.
  std::size_t group = *first;
  std::size_t used = 1;
  if (auto second = digit(1); second && group * 10 + *second < match.spans.size()) {
    group = group * 10 + *second;
    used = 2;
  }
  if (group == 0 || group >= match.spans.size()) return 0;
  out.append(SpanText(match.spans[group]));
  return used;
}

Text RegexMatcher::ReplaceMatches(const Text& replacement) const {
  const std::u16string with = GbkToUtf16(replacement);
  const std::u16string_view withView = with;
  std::u16string result;
  std::size_t copied = 0;
  for (const Match& match : matches_) {
    const auto& whole = *match.spans[0];
    result.append(subject_, copied, whole.first - copied);
    for (std::size_t i = 0; i < with.size(); ++i) {
      if (with[i] == u'$') {
        if (std::size_t used = AppendSubstitution(result, withView.substr(i + 1), match)) {
          i += used;
          continue;
        }
      }
      result += with[i];
    }
    copied = whole.second;
  }
  result.append(subject_, copied);
  return Utf16ToGbk(result);
}

}  // namespace vestrel
