#pragma once

#include <memory>
#include <vector>

#include "ai/candidates.h"
#include "rules/move.h"

namespace lumiquad {

class Bag;
class Board;
class Player;
class WordList;

// True when the main word and every cross word are in the language filter's list.
bool AllWordsFiltered(const Move& move);
// True when the main word and every cross word are in the list of simple words.
bool AllWordsSimple(const Move& move, const WordList* simpleWords);

// The main word of the record ChooseMove returns when there is nothing to play.
inline constexpr const char* kNoMoveWord = "#";

// How many moves after the best one the levels choose among, and a position's analysis keeps.
inline constexpr int kKeepCount = 200;

// The computer's judgement of one position: built over the search's candidates, it keeps the
// best of them by score, rates each by its score, the worth of its leave and its hook risk,
// and orders them best first; ChooseMove then picks one by playing level.
class MoveChooser {
 public:
  // A chooser of no position: no moves, ChooseMove gives the "#" record.
  MoveChooser() = default;

  // keepCount: how many moves after the best one by score are rated (200 for a computer turn).
  // The board, bag and players are read, never changed; they must outlive the chooser.
  MoveChooser(const std::vector<Move>& candidates, int keepCount, const Board& board,
              const Bag& bag, const Player& computer, const Player& opponent,
              const WordList* simpleWords, bool filter, int bonus);
  // The same over the search's compact list: only the moves kept are made whole.
  MoveChooser(const Candidates& candidates, int keepCount, const Board& board, const Bag& bag,
              const Player& computer, const Player& opponent, const WordList* simpleWords,
              bool filter, int bonus);

  // The move of a level value: 1 to 4 take the place of that number, 5 and up the place after
  // it unless weak play is drawn (a low-scoring move of simple words), 50 the hidden level. A
  // value below 1 plays as the default level "Good". With nothing to play the record's main
  // word is "#" and its score 0.
  Move ChooseMove(int levelValue) const;

  const std::vector<Move>& Ranked() const;
  const Move& HighestMove() const { return highestMove_; }
  const Move& FallbackMove() const { return fallbackMove_; }
  int KeepCount() const { return keepCount_; }
  double LeaveWeight() const { return leaveWeight_; }
  int Bonus() const { return bonus_; }

  // A chooser rebuilt from a saved analysis: its ranked list, keep count and leave weight as
  // stored; the fallback is the lowest-scoring ranked move (the "#" record when none).
  static MoveChooser Restored(std::vector<Move> ranked, int keepCount, double leaveWeight,
                              const Board& board, const Bag& bag, const Player& computer,
                              const Player& opponent, const WordList* simpleWords, bool filter,
                              int bonus);

 private:
  MoveChooser(const Board& board, const Bag& bag, const Player& computer, const Player& opponent,
              const WordList* simpleWords, bool filter, int bonus);
  // Keeps and rates the best of a list: `score(i)` and `before(i, j)` (the search's order)
  // compare its moves, `rate(i, lettersInBag)` gives a move's evaluation and `fill(i, move)`
  // writes it whole into a fresh Move.
  template <typename Score, typename Before, typename Rate, typename Fill>
  void Choose(int count, int keepCount, Score score, Before before, Rate rate, Fill fill);

  const Board* board_ = nullptr;
  const Bag* bag_ = nullptr;
  const Player* computer_ = nullptr;
  const Player* opponent_ = nullptr;
  const WordList* simpleWords_ = nullptr;
  // Never changed once made: a game keeps a chooser for every turn and copies it as it goes,
  // and the copies share the list.
  std::shared_ptr<const std::vector<Move>> ranked_;
  int keepCount_ = 0;
  double leaveWeight_ = 0;
  Move highestMove_;
  Move fallbackMove_;
  bool filter_ = false;
  int bonus_ = 50;
};

}  // namespace lumiquad
