#include "ai/rack_leaves.h"

#include <algorithm>
#include <limits>

namespace lumiquad {

void RackLeaves::Build(std::string_view rack, const LeaveValueFunction& value) {
  std::array<int, 27> counts{};
  tiles_ = 0;
  for (char tile : rack.substr(0, 7)) {
    if (tile >= 'A' && tile <= 'Z')
      ++counts[static_cast<std::size_t>(tile - 'A')];
    else if (tile == '?')
      ++counts[26];
    else
      continue;
    ++tiles_;
  }
  distinct_ = 0;
  strideOf_.fill(0);
  int size = 1;
  for (int code = 0; code < 27; ++code) {
    if (counts[static_cast<std::size_t>(code)] == 0) continue;
    const auto k = static_cast<std::size_t>(distinct_++);
    codes_[k] = code;
    held_[k] = counts[static_cast<std::size_t>(code)];
    strides_[k] = size;
    strideOf_[static_cast<std::size_t>(code)] = size;
    size *= held_[k] + 1;
  }
  values_.resize(static_cast<std::size_t>(size));
  std::array<char, 8> tiles{};
  best_ = 0;
  bestOfSize_.fill(-std::numeric_limits<double>::infinity());
  for (int index = 0; index < size; ++index) {
    const int length = TilesOf(index, tiles.data());
    const double v =
        value ? value(std::string_view(tiles.data(), static_cast<std::size_t>(length))) : 0.0;
    values_[static_cast<std::size_t>(index)] = v;
    best_ = index == 0 ? v : std::max(best_, v);
    double& ofSize = bestOfSize_[static_cast<std::size_t>(length)];
    ofSize = std::max(ofSize, v);
  }
}

int RackLeaves::TilesOf(int index, char* out) const {
  int length = 0;
  for (int k = 0; k < distinct_; ++k) {
    const int kept =
        index / strides_[static_cast<std::size_t>(k)] % (held_[static_cast<std::size_t>(k)] + 1);
    const int code = codes_[static_cast<std::size_t>(k)];
    for (int n = 0; n < kept; ++n) out[length++] = code == 26 ? '?' : static_cast<char>('A' + code);
  }
  return length;
}

bool RackLeaves::BestExchange(std::string& keep, std::string& exchange, double& value) const {
  if (tiles_ == 0) return false;
  const int whole = static_cast<int>(values_.size()) - 1;  // every tile kept
  int best = -1;
  for (int index = 0; index < whole; ++index) {
    if (best < 0 ||
        values_[static_cast<std::size_t>(index)] > values_[static_cast<std::size_t>(best)]) {
      best = index;
    }
  }
  std::array<char, 8> tiles{};
  keep.assign(tiles.data(), static_cast<std::size_t>(TilesOf(best, tiles.data())));
  exchange.assign(tiles.data(), static_cast<std::size_t>(TilesOf(whole - best, tiles.data())));
  value = values_[static_cast<std::size_t>(best)];
  return true;
}

}  // namespace lumiquad
