#pragma once

#include <string>
#include <string_view>

#include "rules/move.h"

namespace lumiquad {

class Board;

// New tiles to lay: their letters in board order (a blank as the letter it stands for) from a
// start square along a direction; squares that already hold tiles are passed over.
struct Placement {
  std::string letters;
  int row = 0;
  int column = 0;
  int direction = 0;  // 0 across, 1 down
  int blank1 = -1;    // indexes into letters of the letters played as blanks, ascending
  int blank2 = -1;
};

struct EvaluationOptions {
  bool checkWords = true;  // look every word up in the board's word list
  bool trial = false;      // never keep the tiles on the board
  int bonus = 50;          // added when all seven rack tiles are laid
};

// The one evaluator both players' moves go through. Lays the letters on the board, reads the
// main word and the cross words, scores them, looks them up when asked, and keeps the tiles
// (valid and not a trial) or takes them back so the board is exactly as before. In a trial the
// rack holds the blanks' letters, which are counted back as '?' for rackBefore.
//
// A placement that cannot be laid is returned invalid (total -1) with the board untouched: a
// start square off the board, a direction other than 0 or 1, no letters or letters other than
// 'A' to 'Z', blank indexes outside the letters, letters the rack does not hold, or a line that
// runs off the board before every letter is laid.
Move EvaluatePlacement(Board& board, const Placement& placement, std::string_view rack,
                       const EvaluationOptions& options);

}  // namespace lumiquad
