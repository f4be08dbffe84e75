#pragma once

#include "text/text.h"

namespace vestrel {

// The progress bar's position while item i of n is handled: the quotient first, then the
// product, in double precision, cut toward zero (so the 29th of 100 shows 28).
inline int ProgressOf(Pos i, Pos n) {
  return static_cast<int>(static_cast<double>(i) / static_cast<double>(n) * 100.0);
}

}  // namespace vestrel
