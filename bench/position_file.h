#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/layouts.h"

namespace lumiquad {

class Board;

// One benchmark position: the tiles on the board and the rack to move with.
struct BenchPosition {
  std::vector<std::string> rows;  // 15 rows of 15: '.' empty, 'A'-'Z' a tile, 'a'-'z' a blank
  std::string rack;               // 'A'-'Z', '?' a blank
  int line = 0;                   // where the position starts in its file
};

struct PositionFileResult {
  std::vector<BenchPosition> positions;
  std::string error;  // "file:line: what is wrong" when the file could not be read
};

// Reads positions separated by blank lines; each is 15 board lines and a line "rack: LETTERS".
// Lines starting with '#' are comments.
PositionFileResult ParsePositions(const std::string& text, const std::string& fileName);

// Writes positions in the form ParsePositions reads.
std::string FormatPositions(const std::vector<BenchPosition>& positions);

// A mid-game board for the microbenchmarks: HOUSE, FRUIT, TAXES, SPOON and NAILS, with a rack
// of two blanks.
BenchPosition MidGamePosition();

// Lays a position's tiles on the board over the kinds it has (a lower-case letter is a blank)
// and takes a new snapshot.
void LayPosition(Board& board, const BenchPosition& position);

// The tiles of the type's full set (its frequencies and two blanks) that are neither on the
// board nor on the rack, or nothing when the position uses more of a tile than the set has.
std::optional<std::string> UnseenTiles(GameType type, const BenchPosition& position,
                                       std::string* error);

}  // namespace lumiquad
