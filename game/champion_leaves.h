#pragma once

#include <optional>

#include "ai/leave_table.h"
#include "model/layouts.h"

namespace lumiquad {

class Bag;
class Board;

// The built-in game type a game is played as: its starting board, letter values, tile counts
// and bonus all that type's; nothing for a board or set of the user's own.
std::optional<GameType> BuiltInTypeOf(const Board& board, const Bag& bag, int bonus);

// The champion's learnt leave values for a built-in type, from the data folder; nothing when
// the file is missing or damaged (the champion then rates leaves as the levels do).
std::optional<LeaveTable> ReadLearntLeaves(GameType type);

}  // namespace lumiquad
