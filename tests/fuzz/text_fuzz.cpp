// The text operations keep their promises on any bytes.
#include <cstdlib>

#include "fuzz_input.h"
#include "text/paths.h"
#include "text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vestrel;
  fuzz::Input input(data, size);
  const Text sought(input.Piece(8));
  const Text other(input.Piece(8));
  const bool ignoreCase = input.Flag();
  const Text text(input.Rest());

  const Pos found = FindText(text, sought, static_cast<Pos>(other.size()) - 2, ignoreCase);
  if (found != -1 && (found < 1 || found > text.size())) std::abort();
  if (found != -1 && !ignoreCase && TextMid(text, found, sought.size()) != sought &&
      !sought.empty())
    std::abort();
  const Pos last = FindTextReverse(text, sought);
  if (last != -1 && !sought.empty() && TextMid(text, last, sought.size()) != sought) std::abort();

  // Splitting and joining again gives the text back, but for a trailing separator.
  TextArray pieces = SplitText(text, sought);
  if (!sought.empty() && !text.empty()) {
    Text joined;
    for (std::size_t i = 0; i < pieces.size(); ++i)
      joined += (i == 0 ? Text() : sought) + pieces[i];
    if (joined != text && joined + sought != text) std::abort();
  }
  if (ReplaceText(text, sought, sought) != text) std::abort();
  const Text trimmed = TrimText(text);
  if (TrimText(trimmed) != trimmed || trimmed.size() > text.size()) std::abort();
  if (ToUpperCase(text).size() != text.size() || ToLowerCase(text).size() != text.size())
    std::abort();
  const Text between = TextBetween(text, sought, other);
  if (between.size() > text.size()) std::abort();
  const Text extension = FileExtension(text);
  if (!text.view().ends_with(extension.view())) std::abort();
  (void)BaseNameWithoutExtension(text);
  if (!text.view().starts_with(ParentPrefix(text).view())) std::abort();
  (void)LineCount(text);
  (void)NthLine(text, static_cast<Pos>(sought.size()));
  return 0;
}
