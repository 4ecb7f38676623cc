#pragma once

#include <string>
#include <vector>

#include "game/move_record.h"

namespace lumiquad {

// A game as the crossword-game community's GCG record: the players by nickname, one event a
// line with the rack before it, positions as row number and column letter (8H across, H8
// down), the whole main word with the tiles already on the board as '.' and blanks in lower
// case, and each player's running total. A word refused by the list costs no turn here, so it
// is a #note, not a play and its withdrawal (which would cost the turn in GCG). An ended game
// closes with the final racks in GCG's end-of-game form, each worth +0 as Lumiquad adjusts no
// score at the end: after a player goes out, ">OUT: (LEFT) +0 TOTAL"; after scoreless turns,
// ">NICK: RACK (RACK) +0 TOTAL" for each rack left, with a #note on how the game ended.
struct GcgGame {
  std::vector<MoveRecord> records;  // the history, oldest first
  std::string humanName;
  std::string computerName;
  std::string description;  // the #description line's text, empty for none
  bool over = false;        // the game has ended: its final racks follow the moves
  std::string humanRack;    // the final racks
  std::string computerRack;
};

std::string FormatGcg(const GcgGame& game);

// A placed move as GCG writes it, on the board before it: "8H WO.D" across, "H8 WO.D" down.
std::string GcgPlay(const Move& move, const std::vector<Square>& before);

// A player's nickname: the name's ASCII letters, digits, '_' and '-' (so no white space of any
// kind and nothing a GCG line reads as punctuation); "player1" or "player2" when nothing is left.
// Full names and the description are written as valid UTF-8 without control characters.
std::string GcgNickname(const std::string& name, int player);

// The square of a GCG position, "8H" across or "H8" down: row, column and direction (0 across,
// 1 down), or nothing when the text is no position on the board.
struct GcgPosition {
  int row = -1;
  int column = -1;
  int direction = 0;
};
bool ParseGcgPosition(const std::string& text, GcgPosition& position);

}  // namespace lumiquad
