#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rules/move.h"

namespace lumiquad {

class Board;

// What the human refused placements are told, with the caption "Invalid move".
inline constexpr const char* kInvalidPlacementText =
    "Tiles must be snapped on the grid and placed next to each other";

// A tile the human laid on a square this turn. A blank not yet named is given as '?' (or with
// `blank` set, whatever letter it shows).
struct TurnTile {
  int row = 0;
  int column = 0;
  char letter = '?';
  bool blank = false;
};

// The human's tiles at Submit: those snapped onto squares this turn, and whether any other
// tile (dragged but not snapped) lies over the board.
struct TurnTiles {
  std::vector<TurnTile> snapped;
  bool looseTileOverBoard = false;
};

// Turns the human's tiles into a placement: letters in board order (blanks as '?'), start
// square, direction and blank indexes and squares. Refuses (nothing returned) a loose tile over
// the board, no tile, tiles off the board, on occupied squares or sharing one, tiles that are
// not in one line, a line with an empty square between its tiles, more than two blanks, and a
// placement that does not join the board.
std::optional<Move> GatherPlacement(const Board& board, const TurnTiles& tiles, int moverIndex);

// The square the letter at `index` of a placement lands on: the index-th empty square from the
// start square along the direction. {-1, -1} when the walk leaves the board or index is -1.
SquarePosition BlankSquare(const Board& board, int row, int column, int direction, int index);

}  // namespace lumiquad
