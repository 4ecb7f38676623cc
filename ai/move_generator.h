#pragma once

#include <string_view>
#include <vector>

#include "rules/move.h"

namespace lumiquad {

class Board;

// Every legal move of `rack` on the board, each carrying exactly what a trial EvaluatePlacement
// of it gives (its words, scores, placed tiles and leave), in the order the search finds
// them: rows top to bottom (across), then columns left to right (down); within a line anchor
// by anchor; letters in the word list's tree order, a real tile before a blank. Words grow from
// each anchor: a left part on the free squares before it (or the tiles already before it), then
// rightwards over empty squares and existing tiles. A blank stands only for 'A' to 'Z'.
//
// Anchors are the empty squares next to a tile, and a square already marked as an anchor (the
// centre before a first move, see MarkCentreAnchor). The marks are cleared after each line that
// had one. The board is left as it was.
std::vector<Move> GenerateMoves(Board& board, std::string_view rack, int bonus);
// The same into a list the caller keeps, so its storage serves search after search.
void GenerateMoves(Board& board, std::string_view rack, int bonus, std::vector<Move>& candidates);

// Before a first move the computer anchors its word on the centre square: marks it when no
// tile lies on the board.
void MarkCentreAnchor(Board& board);

}  // namespace lumiquad
