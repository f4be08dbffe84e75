#include <windows.h>

#include "platform/collation.h"
#include "platform/windows_text.h"

namespace vestrel {

int CompareForSort(const Text& a, const Text& b) {
  const auto wideA = windows::WideFromGbk(a);
  const auto wideB = windows::WideFromGbk(b);
  if (wideA && wideB) {
    const int order =
        ::CompareStringW(LOCALE_USER_DEFAULT, 0, wideA->data(), static_cast<int>(wideA->size()),
                         wideB->data(), static_cast<int>(wideB->size()));
    if (order == CSTR_LESS_THAN) return -1;
    if (order == CSTR_GREATER_THAN) return 1;
  }
  // The word sort sees some different texts as equal (it gives little weight to hyphens and
  // apostrophes, and none to some characters); the bytes break the tie, so that the prefix
  // rule the folder order relies on still holds.
  return CompareText(a, b);
}

}  // namespace vestrel
