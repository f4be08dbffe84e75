// Regular expressions with the behaviour of ECMAScript's, on PCRE2's 16-bit library.
//
// Texts cross to the engine as UTF-16, so a Chinese character is one character. Each run
// starts from a fresh engine state. Match and depth limits keep every pattern from hanging
// or exhausting the stack: a run that hits one fails like a malformed pattern.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "text/text.h"

namespace vestrel {

class RegexMatcher {
 public:
  // Runs `pattern` over `subject`. True when the run gave a collection of matches, also an
  // empty one; false for a malformed pattern or a run that hit a limit.
  bool RunPattern(const Text& pattern, const Text& subject, bool caseSensitive = false,
                  bool multiline = true, bool global = true, bool replaceQuoteMarker = false);

  // The pattern of the last run as the engine got it; empty before the first run.
  [[nodiscard]] Text PatternText() const;
  // The subject with every match replaced; $& $` $' $$ and $1 to $99 stand for parts of
  // the match.
  [[nodiscard]] Text ReplaceMatches(const Text& replacement) const;
  [[nodiscard]] int MatchCount() const;
  // The whole text of match n (from 1); empty when there is no such match.
  [[nodiscard]] Text MatchText(int n) const;
  // Capture group k (from 1) of match n (from 1); empty when either does not exist or the
  // group took no part in the match.
  [[nodiscard]] Text SubmatchText(int n, int k) const;
  // The number of capture groups of the first match; 0 when there is no match.
  [[nodiscard]] int SubmatchCount() const;

 private:
  using Span = std::optional<std::pair<std::size_t, std::size_t>>;  // [begin, end)
  struct Match {
    std::vector<Span> spans;  // [0] is the whole match, then one per group
  };

  [[nodiscard]] std::u16string_view SpanText(const Span& span) const;
  // Appends what "$" and the start of `after` stand for in a replacement; returns how many
  // characters of `after` that took, 0 when they stand for nothing.
  std::size_t AppendSubstitution(std::u16string& out, std::u16string_view after,
                                 const Match& match) const;

  bool hasEngine_ = false;
  std::u16string pattern_;
  std::u16string subject_;
  std::vector<Match> matches_;
};

}  // namespace vestrel
