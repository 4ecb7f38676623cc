#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ai/move_chooser.h"
#include "model/square.h"
#include "rules/move.h"

namespace lumiquad {

// One completed turn of a game: the move as made, and the position before it with the mover's
// own search of it.
struct MoveRecord {
  Move move;
  MoveChooser analysis;       // the mover's candidates for the position, best first
  std::vector<Square> board;  // the 225 squares before the move, row by row
  std::int32_t computerScore = 0;
  std::int32_t humanScore = 0;
  std::string bagLetters;  // the bag before the move
};

}  // namespace lumiquad
