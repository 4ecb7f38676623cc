#pragma once

#include <string_view>
#include <vector>

#include "ai/candidates.h"
#include "rules/move.h"

namespace lumiquad {

class Board;

// Every legal move of `rack` on the board, each carrying exactly what a trial EvaluatePlacement
// of it gives (its words, scores, placed tiles and leave), in the order the search of the word
// list's tree finds them: rows top to bottom (across), then columns left to right (down);
// within a line anchor by anchor; letters in the tree's order, a real tile before a blank. See
// FindCandidates, which this lists in full.
std::vector<Move> GenerateMoves(Board& board, std::string_view rack, int bonus);

// Before a first move the computer anchors its word on the centre square: marks it when no
// tile lies on the board.
void MarkCentreAnchor(Board& board);

}  // namespace lumiquad
