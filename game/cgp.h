#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/layouts.h"

namespace lumiquad {

class Board;

// A position in the common text form:
//
//   BOARD RACKS SCORES ZEROS [options;...]
//
// BOARD is 15 rows from the top, separated by '/', each of letters (upper case a tile, lower
// case a blank standing for that letter) and counts of empty squares ("15", "7A7"); RACKS is
// the mover's rack, '/', the opponent's (empty when unknown), '?' a blank; SCORES the mover's
// score '/' the opponent's; ZEROS the scoreless turns in a row. What follows is not read.
struct CgpPosition {
  std::array<std::string, 15> rows;  // '.' empty, as the board shows it
  std::string rack;
  std::string opponentRack;
  int score = 0;
  int opponentScore = 0;
  int zeros = 0;
};

// Reads a position; nothing, with the reason, when it is not one.
std::optional<CgpPosition> ParseCgp(std::string_view text, std::string* error = nullptr);

// The tiles of the game type's set that neither the board nor the racks hold, sorted; nothing,
// with the reason, when the position uses more of a tile than the set has.
std::optional<std::string> UnseenTiles(GameType type, const CgpPosition& position,
                                       std::string* error = nullptr);

// Lays the position's tiles on a board that holds the type's layout.
void LayCgp(Board& board, const CgpPosition& position);

}  // namespace lumiquad
