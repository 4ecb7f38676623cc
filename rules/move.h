#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumiquad {

class Player;

struct SquarePosition {
  std::int32_t row = -1;
  std::int32_t column = -1;
  friend bool operator==(const SquarePosition&, const SquarePosition&) = default;
};

// One move as a value: a placement with its words and scores, or a pass, an exchange or a
// challenged placement. Produced by the evaluator, rated by the computer, kept in the history.
struct Move {
  std::string rackBefore;               // the mover's rack before the move
  std::string rackAfter;                // rackBefore less the placed tiles (a '?' for each blank)
  std::int32_t total = 0;               // main word plus cross words; -1 once the move is invalid
  std::vector<std::string> crossWords;  // in the order of the new tiles that form them
  std::vector<std::int32_t> crossScores;
  std::vector<std::string> invalidWords;  // words not in the word list, cross words first
  bool isExchange = false;
  bool invalid = false;
  std::string placedLetters;  // the new tiles in board order, blanks as the letter they stand for
  std::string exchangedLetters;
  std::string mainWord;  // the whole word along the line of play
  std::int32_t mainScore = 0;
  std::int32_t row = -1;  // the start square
  std::int32_t column = -1;
  std::string directionText;  // "across" or "down"
  SquarePosition blank1Square;
  SquarePosition blank2Square;
  std::int32_t blank1 = -1;  // indexes into placedLetters of the letters played as blanks
  std::int32_t blank2 = -1;
  const Player* player = nullptr;  // the mover's record, not owned
  double evaluation = 0;           // the computer's rating
  bool isPass = false;
  std::uint8_t moverIndex = 0;  // 0 the human, 1 the computer

  // 0 across, 1 down; any text but "across" reads as down.
  int Direction() const { return directionText == "across" ? 0 : 1; }

  friend bool operator==(const Move&, const Move&) = default;
};

inline const char* DirectionText(int direction) { return direction == 0 ? "across" : "down"; }

// The rack tiles a move takes: its placed letters with '?' at the blank indexes.
inline std::string PlacedTiles(const Move& move) {
  std::string tiles = move.placedLetters;
  for (int blank : {move.blank1, move.blank2}) {
    if (blank >= 0 && blank < static_cast<int>(tiles.size())) {
      tiles[static_cast<std::size_t>(blank)] = '?';
    }
  }
  return tiles;
}

// The one-line text of a move, as the move log, the history and the reports show it:
// "(8H,across) CAT = 5", with the sorted leave after two blanks when showLeave is set;
// "PASSED"; the rejected words and " : CHALLENGED"; " : CHANGED : " and the letters. Ends with
// lineBreaks carriage return and line feed pairs.
std::string DescribeMove(const Move& move, int lineBreaks, bool showLeave);

}  // namespace lumiquad
