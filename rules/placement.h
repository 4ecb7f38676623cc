#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/square.h"
#include "rules/move.h"

namespace lumiquad {

class Board;

// What the human refused placements are told, with the caption "Invalid move".
inline constexpr const char* kInvalidPlacementText =
    "Tiles must be snapped on the grid and placed next to each other";

// A tile the human laid on a square this turn. A blank not yet named is given as '?'; a blank
// named as it was laid has `blank` set and its letter.
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

// Why a shape of tiles is no placement.
enum class PlacementFault {
  None,
  NoTile,
  LooseTile,    // a tile lies over the board but not on a square
  SquareTaken,  // a tile off the board, on an occupied square or on another laid tile
  NotInLine,    // the tiles share neither a row nor a column
  Gap,          // an empty square between tiles of the line
  NotJoined,    // the placement touches no tile on the board
  NotTiles,     // a letter that is no tile, or more than two blanks
};

// Turns the human's tiles into a placement: letters in board order (blanks as '?'), start
// square, direction and blank indexes and squares. Refuses (nothing returned) a loose tile over
// the board, no tile, tiles off the board, on occupied squares or sharing one, tiles that are
// not in one line, a line with an empty square between its tiles, more than two blanks, and a
// placement that does not join the board.
std::optional<Move> GatherPlacement(const Board& board, const TurnTiles& tiles, int moverIndex);
// The letter the blank laid on `square` was named as it was laid (from the keyboard), or 0 when
// it is still to be named.
char NamedBlankLetter(const TurnTiles& tiles, SquarePosition square);

// Why GatherPlacement refuses the tiles; None when it takes them.
PlacementFault PlacementFaultOf(const Board& board, const TurnTiles& tiles);

// The tiles a move lays, square by square: its letters on the empty squares from its start
// square along its direction, passing over the squares that held a tile in `boardBefore` (the
// 225 squares before the move, row by row). A blank comes with its letter and `blank` set.
std::vector<TurnTile> TilesOfMove(const Move& move, const std::vector<Square>& boardBefore);

// The square the letter at `index` of a placement lands on: the index-th empty square from the
// start square along the direction. {-1, -1} when the walk leaves the board or index is -1.
SquarePosition BlankSquare(const Board& board, int row, int column, int direction, int index);

}  // namespace lumiquad
