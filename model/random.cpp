#include "model/random.h"

#include <ctime>
#include <random>

namespace lumiquad {

std::int64_t SystemClock::Seconds() const { return static_cast<std::int64_t>(std::time(nullptr)); }

std::vector<int> RandomInts(int range, int count, const Clock& clock) {
  std::vector<int> numbers(count > 0 ? static_cast<std::size_t>(count) : 0, 0);
  if (count <= 2 || range < 1) return numbers;
  std::mt19937 generator(static_cast<std::uint32_t>(clock.Seconds()));
  const std::uint32_t step = 4294967295u / static_cast<std::uint32_t>(range);
  for (int& number : numbers) number = static_cast<int>(generator() / step);
  return numbers;
}

}  // namespace lumiquad
