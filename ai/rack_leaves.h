#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumiquad {

// What a player choosing by equity makes of the tiles a move leaves: given the leave's tiles in
// alphabetical order, a blank as '?' after the letters.
using LeaveValueFunction = std::function<double(std::string_view leave)>;

// Every leave a rack can have, valued once a turn, so that the search reads a leave's value by
// the tiles left on its rack without building a string. Its storage is kept from turn to turn.
class RackLeaves {
 public:
  // `rack`: letters 'A' to 'Z' and '?' for a blank; other characters are never laid or kept.
  void Build(std::string_view rack, const LeaveValueFunction& value);

  // The leave that keeps `counts` of each tile (letters 0 to 25, the blank 26).
  int Index(const std::array<int, 27>& counts) const {
    int index = 0;
    for (int k = 0; k < distinct_; ++k) {
      index += counts[static_cast<std::size_t>(codes_[static_cast<std::size_t>(k)])] *
               strides_[static_cast<std::size_t>(k)];
    }
    return index;
  }
  double Value(int index) const { return values_[static_cast<std::size_t>(index)]; }
  // The highest value of any leave, with the rack kept whole.
  double Best() const { return best_; }
  // The value of the rack kept whole.
  double Whole() const { return values_.back(); }
  // The highest value of a leave of `size` tiles (below any value when there is none).
  double BestOfSize(int size) const { return bestOfSize_[static_cast<std::size_t>(size)]; }
  int Tiles() const { return tiles_; }
  // The index of the rack kept whole, and what laying one tile (letters 0 to 25, the blank 26)
  // takes off a leave's index: a search can follow its leave as it lays tiles.
  int WholeIndex() const { return static_cast<int>(values_.size()) - 1; }
  int StrideOf(int code) const { return strideOf_[static_cast<std::size_t>(code)]; }

  // The exchange worth most: the tiles to keep (all others go back) with the highest value,
  // keeping fewer than all the tiles. False for an empty rack.
  bool BestExchange(std::string& keep, std::string& exchange, double& value) const;

 private:
  // The tiles of the leave at `index`, in the order the value function is given them.
  int TilesOf(int index, char* out) const;

  std::array<int, 8> codes_{};  // the rack's different tiles, letters before the blank
  std::array<int, 8> held_{};   // how many of each the rack holds
  std::array<int, 8> strides_{};
  int distinct_ = 0;
  int tiles_ = 0;
  std::vector<double> values_;
  double best_ = 0;
  std::array<double, 8> bestOfSize_{};
  std::array<int, 27> strideOf_{};  // 0 for a tile the rack does not hold
};

}  // namespace lumiquad
