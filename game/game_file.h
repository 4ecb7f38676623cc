#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/square.h"
#include "rules/move.h"
#include "settings/reg_records.h"

namespace lumiquad {

// A game file's contents, read or to be written: line-based text, one field a line, sections
// in a fixed order with no header. Everything here is plain data; the engine applies it.

struct SavedPlayer {
  std::string name;
  std::string rack;
  std::int32_t spareNumber = 0;
  std::string workingText;
  std::string lastDrawn;
  std::int32_t score = 0;
  bool computer = false;
  std::int32_t savedScore = 0;
};

struct SavedAnalysis {
  std::vector<Move> ranked;  // best first
  std::int32_t keepCount = 0;
  double leaveWeight = 0;
};

struct SavedRecord {
  Move move;
  SavedAnalysis analysis;
  std::vector<Square> squares;  // 225, row by row; a character of 0 means "as the board starts"
  std::int32_t computerScore = 0;
  std::int32_t humanScore = 0;
  std::string bagLetters;
};

struct SavedGame {
  bool gameOver = false;
  std::string wordListPath;
  std::int32_t level = 8;
  std::string spareText;
  std::string bagLastDrawn;
  std::string bagContents;
  std::string unseenText;
  SavedPlayer computer;
  SavedPlayer human;
  std::vector<Square> squares;  // the 225 squares in play, row by row
  Square searchAnchor;
  LetterTable letterValues{};
  std::int32_t humanIdleTurns = 0;
  std::int32_t computerIdleTurns = 0;
  std::int32_t keepCount = 200;
  std::vector<SavedRecord> records;
  SavedRecord current;
  int bonus = 50;                // written with every move
  std::optional<int> lastBonus;  // read: the bonus of the last move in the file
};

// The file's text. Line ends are "\n".
std::string FormatGameFile(const SavedGame& game);

// Reads a game file's text, accepting "\r\n" line ends. Refuses (nothing, and the reason in
// `error` when given) any text that is no consistent game: a truncated file, a count other than
// the layout's, a number that is no number or out of range, a square out of place, a rack or
// bag holding other than tiles, a level other than 1 to 10 or 50, scores or idle-turn counts no
// game can reach.
std::optional<SavedGame> ParseGameFile(std::string_view text, std::string* error = nullptr);

// The two players of a game file, computer first, read from its first lines alone (to name a
// kept game without reading all of it); nothing when those lines are no game file's.
std::optional<std::pair<SavedPlayer, SavedPlayer>> ParseGamePlayers(std::string_view text);

}  // namespace lumiquad
