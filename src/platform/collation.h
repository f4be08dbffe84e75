// The order in which the folder list is sorted.
#pragma once

#include "text/text.h"

namespace vestrel {

// Compares two texts as the user's system sorts words: negative, 0 or positive. Case counts,
// texts that hold different bytes never compare equal, and a text comes before every longer
// text that begins with it, which is what puts each folder before its subfolders. On Windows
// the user's locale decides (as Explorer sorts); elsewhere the byte order of the GBK texts.
int CompareForSort(const Text& a, const Text& b);

}  // namespace vestrel
