// A name written into a header reads back, and no byte outside the header changes.
#include <cstdlib>

#include "fuzz_input.h"
#include "materials/material_header.h"
#include "platform/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vestrel;
  fuzz::Input input(data, size);
  const Text name(input.Piece(64));
  const std::string_view content = input.Rest();
  (void)MaterialNameOf(content);
  auto result = ReplaceMaterialName(content, name);
  if (!result) return 0;

  const std::size_t start = content.find("#define material");
  const std::size_t brace = content.find('{', start + 16);
  if (start == std::string_view::npos || brace == std::string_view::npos) std::abort();
  if (result->compare(0, start, content.substr(0, start)) != 0) std::abort();
  const std::string_view after = content.substr(brace + 1);
  if (!std::string_view(*result).ends_with(after)) std::abort();
  // Every name that GBK and UTF-8 carry both ways reads back as it was written.
  if (Utf8ToGbk(GbkToUtf8(name).view()) == name && MaterialNameOf(*result) != name) std::abort();
  return 0;
}
