#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumiquad {

// What the tiles kept after a move are worth to a player choosing by equity, in points: a value
// per tile and per pair of tiles kept, learnt from self-play, or, where nothing was learnt for a
// board, the computer's own rating of a leave.
class LeaveTable {
 public:
  // The rating the computer's levels use (see LeaveValue).
  LeaveTable() = default;

  // The learnt values as `Text` writes them; nothing, with a reason, for any other text.
  static std::optional<LeaveTable> Parse(std::string_view text, std::string* error = nullptr);
  // Every digit is kept: reading it back gives the same values.
  std::string Text() const;

  bool Learnt() const { return learnt_; }
  // `leave`: its tiles 'A' to 'Z' and '?' for a blank, in any order.
  double Value(std::string_view leave) const;

  // Tiles by index: 'A' to 'Z' are 0 to 25, the blank 26.
  static constexpr int kTiles = 27;
  double& Single(int tile) { return single_[static_cast<std::size_t>(tile)]; }
  // A pair of tiles, the same tile twice included; the order does not matter.
  double& Pair(int a, int b) { return pair_[PairIndex(a, b)]; }
  void SetLearnt(bool learnt) { learnt_ = learnt; }

 private:
  static std::size_t PairIndex(int a, int b) {
    return static_cast<std::size_t>(a < b ? a * kTiles + b : b * kTiles + a);
  }

  bool learnt_ = false;
  std::array<double, kTiles> single_{};
  std::array<double, kTiles * kTiles> pair_{};
};

// The index of a tile in the table, or -1 for a character that is no tile.
inline int LeaveTileIndex(char tile) {
  if (tile >= 'A' && tile <= 'Z') return tile - 'A';
  return tile == '?' ? 26 : -1;
}

}  // namespace lumiquad
