#pragma once

#include <cstdint>

#include "model/random.h"

namespace lumiquad::test {

// The second at which a new game lets the human move first (or the computer, when asked):
// the second of the three numbers drawn decides it.
inline std::int64_t SecondWhereFirst(bool human) {
  for (std::int64_t s = 1'700'000'000;; ++s) {
    if ((RandomInts(10, 3, FixedClock(s))[1] < 5) == human) return s;
  }
}

}  // namespace lumiquad::test
