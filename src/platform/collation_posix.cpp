#include "platform/collation.h"

namespace vestrel {

// The POSIX locales know nothing of GBK texts; the byte order keeps every promise made.
int CompareForSort(const Text& a, const Text& b) {
  return CompareText(a, b);
}

}  // namespace vestrel
