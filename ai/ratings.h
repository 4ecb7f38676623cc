#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "rules/move.h"

namespace lumiquad {

class Bag;
class Board;
class BoardSquares;
class WordList;

// The computer's ratings of a move beyond its score. All are heuristics in double precision.

// The worth of the tiles kept on the rack: synergy of the letters of RETAINS, 13 for a blank,
// less each kept letter's penalty, the leave's balance and its duplicates; times leaveWeight.
// An empty leave is worth 0.
double LeaveValue(std::string_view leave, double leaveWeight);

// A leave of tiles only, counted: 'A' to 'Z', then the blank.
struct LeaveTiles {
  std::array<std::uint8_t, 27> counts{};
  std::uint32_t letters = 0;  // the letters held, as bits (A lowest)
  int size = 0;

  // False for a character that is no tile.
  bool Add(char tile);
  void Remove(char tile);
};
// The same worth, from the counts.
double LeaveValue(const LeaveTiles& leave, double leaveWeight);

// No leave of some of these tiles is worth more: the synergy of every letter of RETAINS among
// them, the blank's 13 and the most the balance can add, with no penalty or duplicate; infinite
// for a negative weight.
double LeaveValueCeiling(const LeaveTiles& tiles, double leaveWeight);

// Twice the difference between consonants and vowels, with 5 more for a leave of only vowels
// or only consonants, and 5 less when it holds a blank or an S and the difference is small.
int LeaveBalance(std::string_view leave);

// The weight of each extra copy of a letter (or blank) kept.
double DuplicatePenalty(std::string_view leave);

// How open the starting board is: the value of the seven-square lanes from the first two
// squares of every row and column, each starting at the bonus and folding in the average tile
// value (from the letter values and the bag's frequencies) by its squares' kinds.
double BoardOpenness(const Board& board, const Bag& bag, int bonus);

// leaveWeight is BoardOpenness times this factor, about 1 on the Scrabble board.
inline constexpr double kLeaveWeightFactor = 0.00014634389058159987;

// The points the opponent can expect by hooking a letter still in the bag onto either end of
// the move's main word, beyond the move's own score; 0 when no hook makes a word.
double HookRisk(const Board& board, const Bag& bag, const Move& move);
// The same, given the letters still in the bag as bits (A lowest), as LettersInBag makes them.
double HookRisk(const Board& board, std::uint32_t lettersInBag, const Move& move);
// The same for a main word starting at (row, column) in a direction (0 across, 1 down), of a
// move scoring `total`.
double HookRisk(const Board& board, std::uint32_t lettersInBag, std::string_view mainWord, int row,
                int column, int direction, int total);
// The same on the squares of a board as they stood, played with the word list `words`.
double HookRisk(const BoardSquares& squares, const WordList* words, std::uint32_t lettersInBag,
                std::string_view mainWord, int row, int column, int direction, int total);
std::uint32_t LettersInBag(const Bag& bag);

}  // namespace lumiquad
