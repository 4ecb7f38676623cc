#pragma once

#include <cstdint>
#include <vector>

namespace lumiquad {

// The calendar time in whole seconds: it seeds every random draw. Tests fix it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t Seconds() const = 0;
};

class SystemClock : public Clock {
 public:
  std::int64_t Seconds() const override;
};

// A clock that stands still at the seconds it is given.
class FixedClock : public Clock {
 public:
  explicit FixedClock(std::int64_t seconds = 0) : seconds_(seconds) {}
  std::int64_t Seconds() const override { return seconds_; }
  void Set(std::int64_t seconds) { seconds_ = seconds; }

 private:
  std::int64_t seconds_;
};

// The game's only source of randomness. Reseeds a Mersenne Twister (MT19937) from the clock at
// every call, so two calls within one second give the same numbers. Returns `count` numbers,
// each the generator's 32-bit output divided by (4294967295 / range): 0 to range, where range
// itself comes only from the very top outputs. With count 2 or less, or a range below 1, the
// numbers are all 0.
std::vector<int> RandomInts(int range, int count, const Clock& clock);

}  // namespace lumiquad
