// Any pattern over any subject ends, within the matcher's limits, without fault.
#include <cstdlib>

#include "dictionary/regex_matcher.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vestrel;
  fuzz::Input input(data, size);
  const bool caseSensitive = input.Flag();
  const bool multiline = input.Flag();
  const bool global = input.Flag();
  const Text pattern(input.Piece(64));
  const Text subject(input.Rest());
  RegexMatcher matcher;
  const bool ran = matcher.RunPattern(pattern, subject, caseSensitive, multiline, global, true);
  const int count = matcher.MatchCount();
  if (count < 0 || (!ran && count != 0) || (!global && count > 1)) std::abort();
  for (int n = 0; n <= count + 1; ++n) {
    (void)matcher.MatchText(n);
    for (int k = 0; k <= matcher.SubmatchCount() + 1; ++k) (void)matcher.SubmatchText(n, k);
  }
  (void)matcher.ReplaceMatches("$1$&$$");
  return 0;
}
