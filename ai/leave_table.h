#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace lumiquad {

// What the tiles kept after a move are worth to a player choosing by equity, in points: a value
// per tile and per pair of tiles kept, and for a leave of three tiles or more what its play showed
// beyond those, learnt from self-play; or, where nothing was learnt for a board, the computer's
// own rating of a leave.
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
  // The most tiles a leave can hold.
  static constexpr int kMostKept = 6;
  double& Single(int tile) { return single_[static_cast<std::size_t>(tile)]; }
  // A pair of tiles, the same tile twice included; the order does not matter.
  double& Pair(int a, int b) { return pair_[PairIndex(a, b)]; }
  void SetLearnt(bool learnt) { learnt_ = learnt; }
  // The value of tiles and pairs alone, for the `count` tile indexes.
  double PairsValue(const std::int8_t* tiles, int count) const;
  // What a leave of 3 to 6 tiles is worth beyond its tiles and pairs (0 when nothing was learnt);
  // `tiles` in any order.
  double Whole(const std::int8_t* tiles, int count) const;
  void SetWhole(const std::int8_t* tiles, int count, double value);
  std::size_t WholeCount() const { return whole_.size(); }
  // A leave of up to 6 tile indexes as one number, the same in any order: 0 for no leave.
  static std::uint32_t KeyOf(const std::int8_t* tiles, int count);
  // The tile indexes of a key, in order, into `tiles` (room for kMostKept); how many, or -1 for a
  // number no leave has.
  static int TilesOf(std::uint32_t key, std::int8_t* tiles);

 private:
  static std::size_t PairIndex(int a, int b) {
    return static_cast<std::size_t>(a < b ? a * kTiles + b : b * kTiles + a);
  }

  bool learnt_ = false;
  std::array<double, kTiles> single_{};
  std::array<double, kTiles * kTiles> pair_{};
  std::unordered_map<std::uint32_t, double> whole_;
};

// The index of a tile in the table, or -1 for a character that is no tile.
inline int LeaveTileIndex(char tile) {
  if (tile >= 'A' && tile <= 'Z') return tile - 'A';
  return tile == '?' ? 26 : -1;
}

}  // namespace lumiquad
