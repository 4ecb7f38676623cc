#pragma once

#include <array>
#include <string>
#include <string_view>

#include "ai/candidates.h"
#include "model/board.h"
#include "settings/settings_store.h"

namespace lumiquad {

// A board of the player's own to think on: a copy of the position (squares, letter values, word
// list) that never touches the settings, on which found moves are laid and taken back.
class ScratchBoard {
 public:
  explicit ScratchBoard(const Board& from);
  ScratchBoard(const ScratchBoard&) = delete;
  ScratchBoard& operator=(const ScratchBoard&) = delete;

  Board& Get() { return board_; }

  // The squares a laid move filled, to take it back.
  struct Laid {
    std::array<int, kBoardSize> rows{};
    std::array<int, kBoardSize> columns{};
    std::array<char, kBoardSize> kinds{};
    int count = 0;
  };
  // Lays the candidate's tiles on the free squares of its word; `tiles` gets the rack tiles it
  // takes, a blank as '?'.
  Laid Lay(const Candidate& candidate, std::string* tiles = nullptr);
  void TakeBack(const Laid& laid);

 private:
  MemorySettingsStore store_;
  Board board_;
};

// Takes the tiles (a blank as '?') off the rack, one of each as often as it is named.
void TakeTiles(std::string& rack, std::string_view tiles);

}  // namespace lumiquad
