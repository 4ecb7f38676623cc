#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
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

// The rated moves of a position, best first: given whole, or kept in the search's compact form
// and made whole when the list is first read. A turn plays one of them and the list is read
// only for a review, a saved game or a hint, so most turns never make the rest whole. Nor are
// they all rated at once: a move's hook risk only lowers its score and leave, so the moves are
// rated from the highest score and leave down until the places asked for are known. Until the
// list is whole, the word list it was found with must stay: the racks' order and the hooks are
// read from it.
class RankedMoves {
 public:
  explicit RankedMoves(std::vector<Move> moves);
  // The candidates at `kept` (indexes into `candidates`, highest score first), rated with
  // `leaveWeight` and the letters still in the bag (as bits, A lowest).
  RankedMoves(const Candidates& candidates, const std::vector<int>& kept, double leaveWeight,
              std::uint32_t lettersInBag);
  RankedMoves(const RankedMoves&) = delete;
  RankedMoves& operator=(const RankedMoves&) = delete;

  int Size() const { return size_; }
  int TotalAt(int index) const;
  // One move, made whole on its own while the list is not.
  Move At(int index) const;
  const std::vector<Move>& Whole() const;

 private:
  // The kept move at a place of the list, and its evaluation.
  struct Placed {
    int kept = 0;
    double evaluation = 0;
  };
  Placed Place(int index) const;
  // Rates until the first `places` places are known; called under the lock.
  void Settle(int places) const;
  Move Made(Placed placed) const;

  const int size_;
  mutable std::once_flag once_;
  mutable std::vector<Move> moves_;
  mutable std::atomic<bool> whole_ = false;
  // Until made whole: the candidates, what they are made whole and rated from, and how far the
  // rating has come. A move's ceiling is its score and leave, which its hook risk only lowers;
  // before its leave is valued, its score and the most any leave of the rack is worth.
  Candidates context_;
  std::optional<BoardSquares> squares_;
  double leaveWeight_ = 0;
  double leaveCeiling_ = 0;
  std::uint32_t lettersInBag_ = 0;
  std::vector<Candidate> kept_;
  mutable std::mutex mutex_;
  mutable int leavesValued_ = 0;  // of kept_, from the highest score down
  // The kept moves whose leave is valued and hook risk not yet, by ceiling (a heap).
  mutable std::vector<std::pair<double, int>> ceilings_;
  mutable std::vector<double> evaluations_;
  mutable std::vector<int> rated_;
  mutable std::vector<int> places_;  // the kept moves whose places are known, best first
};

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

  // The ranked list, made whole the first time it is read.
  const std::vector<Move>& Ranked() const;
  // How many moves it holds, without making them whole.
  int RankedCount() const { return ranked_ ? ranked_->Size() : 0; }
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
  // compare its moves, `fill(i, move)` writes one whole into a fresh Move and
  // `rank(kept, lettersInBag)` makes the ranked list of the moves at those indexes (highest
  // score first).
  template <typename Score, typename Before, typename Fill, typename Rank>
  void Choose(int count, int keepCount, Score score, Before before, Fill fill, Rank rank);

  const Board* board_ = nullptr;
  const Bag* bag_ = nullptr;
  const Player* computer_ = nullptr;
  const Player* opponent_ = nullptr;
  const WordList* simpleWords_ = nullptr;
  // Never changed once made: a game keeps a chooser for every turn and copies it as it goes,
  // and the copies share the list.
  std::shared_ptr<const RankedMoves> ranked_;
  int keepCount_ = 0;
  double leaveWeight_ = 0;
  Move highestMove_;
  Move fallbackMove_;
  bool filter_ = false;
  int bonus_ = 50;
};

}  // namespace lumiquad
