#pragma once

#include <array>
#include <cstdint>

#include "model/board.h"
#include "model/player.h"
#include "words/anagram_keys.h"

namespace lumiquad {

// A square's premium for the letter on it (x1 to x4) and for the word through it (x1 to x4, or
// a penalty of 5 or 10), as the scoring counts them.
struct Premium {
  int letter = 1;
  int word = 1;
  int penalty = 0;
};

Premium PremiumOf(char kind);

inline constexpr std::uint32_t kAllLetters = (1u << 26) - 1;

// What the search knows of one square of the line it works on.
struct LineSquare {
  char tile = 0;     // the letter of a tile lying here, else 0
  int tileCode = 0;  // its code in the GADDAG
  int tileValue = 0;
  Premium premium;     // what the square does to a tile laid on it now
  bool cross = false;  // tiles touch it across the line
  std::uint32_t allowed = kAllLetters;
  int crossSum = 0;  // the plain value of the tiles across the line through it
  // What a tile laid here adds to its move besides its own word's letters: its letter score
  // times crossWord, plus extra (the cross word's other tiles, less the penalties).
  int crossWord = 0;
  int extra = 0;
};
using LineSquares = std::array<LineSquare, kBoardSize>;

// The tiles of a rack that can be laid, as the bounds need them.
struct RackForBounds {
  std::array<int, 27> counts{};  // per letter, the blank last
  std::array<int, 7> values{};   // the laid values, highest first (a blank 0)
  std::array<int, 26> letterValues{};
  int size = 0;
  // The rack's letters, each once, highest value first: the first a square takes is its cap.
  std::array<std::int8_t, 7> byValue{};
  int letters = 0;

  // Notes the letters of `counts` by value; called once they are all in.
  void SortLetters();
};

// Whether a rack's tiles with some tiles of the board may make a word using them all, asked
// when every rack tile would be laid; answers are remembered for the turn.
class BingoCheck {
 public:
  BingoCheck(const AnagramKeys* anagrams, const RackForBounds& rack)
      : anagrams_(anagrams), rack_(rack) {}
  // `boardLetters`: the key of the board's letters in the word.
  bool Possible(AnagramKeys::Key boardLetters);

 private:
  const AnagramKeys* anagrams_;
  const RackForBounds& rack_;
  struct Entry {
    AnagramKeys::Key letters = 0;
    bool possible = false;
  };
  std::array<Entry, 64> remembered_{};
  int size_ = 0;
};

// What the bounds of a line's anchors share, read once a line: its free squares, the highest
// value of a rack letter each takes (-1 for none), and its tiles as running sums.
struct LineRuns {
  std::array<int, kBoardSize> free{};             // the free squares in order
  std::array<int, kBoardSize> caps{};             // by the free squares' order
  std::array<int, kBoardSize + 1> freeBefore{};   // the free squares before each square
  std::array<int, kBoardSize + 1> valueBefore{};  // the tiles' values before each square
  std::array<AnagramKeys::Key, kBoardSize + 1> lettersBefore{};  // the tiles' letters, as keys
  std::array<int, kBoardSize> runStart{};  // the first square of the tiles just before a square
  std::array<int, kBoardSize> runEnd{};    // the last square of the tiles just after it
  int count = 0;
};
LineRuns ReadLineRuns(const LineSquares& line, const RackForBounds& rack);

// An upper bound on the score of every placement the search finds from the anchor at `anchor`
// of a line whose previous anchor is `previous` (-1 for none): the best the rack's highest
// values could make on each run of free squares through it, with the tiles and premiums that
// run takes in, and the full-rack bonus only where the tiles could make a word.
// `byLaid`, when given, gets the bound of the runs of each length (INT_MIN where none); `runs`
// the bound of each run, by the free squares it takes before the anchor and after it. Only runs
// of `mostLaid` free squares or fewer count.
using RunBounds = std::array<std::array<int, 8>, 8>;
int AnchorUpperBound(const LineSquares& line, const LineRuns& facts, int anchor, int previous,
                     const RackForBounds& rack, int bonus, BingoCheck& bingo,
                     std::array<int, 8>* byLaid = nullptr, RunBounds* runs = nullptr,
                     int mostLaid = kRackSize);

// The least and the most a move laying the whole rack on the free squares from `start` to `end`
// of a line, and the tiles between, can score.
struct ScoreRange {
  int least = 0;
  int most = 0;
};
ScoreRange WholeRackRange(const LineSquares& line, int start, int end, const RackForBounds& rack,
                          int bonus);

}  // namespace lumiquad
