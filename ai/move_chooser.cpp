#include "ai/move_chooser.h"

#include <algorithm>
#include <numeric>

#include "ai/ratings.h"
#include "model/bag.h"
#include "model/board.h"
#include "model/player.h"
#include "words/language_filter.h"
#include "words/word_list.h"

namespace lumiquad {

namespace {

// The level "Good": what a level value below 1 plays as.
constexpr int kDefaultLevelValue = 8;

Move NoMove() {
  Move none;
  none.mainWord = kNoMoveWord;
  return none;
}

}  // namespace

bool AllWordsFiltered(const Move& move) {
  if (!IsFilteredWord(move.mainWord)) return false;
  return std::all_of(move.crossWords.begin(), move.crossWords.end(),
                     [](const std::string& word) { return IsFilteredWord(word); });
}

bool AllWordsSimple(const Move& move, const WordList* simpleWords) {
  if (simpleWords == nullptr || !simpleWords->ContainsWord(move.mainWord)) return false;
  return std::all_of(
      move.crossWords.begin(), move.crossWords.end(),
      [simpleWords](const std::string& word) { return simpleWords->ContainsWord(word); });
}

MoveChooser::MoveChooser(const Board& board, const Bag& bag, const Player& computer,
                         const Player& opponent, const WordList* simpleWords, bool filter,
                         int bonus)
    : board_(&board),
      bag_(&bag),
      computer_(&computer),
      opponent_(&opponent),
      simpleWords_(simpleWords),
      filter_(filter),
      bonus_(bonus) {}

MoveChooser::MoveChooser(const std::vector<Move>& candidates, int keepCount, const Board& board,
                         const Bag& bag, const Player& computer, const Player& opponent,
                         const WordList* simpleWords, bool filter, int bonus)
    : MoveChooser(board, bag, computer, opponent, simpleWords, filter, bonus) {
  // Fewer candidates than the keep count lower it to their number, none included.
  keepCount_ = std::min(keepCount, static_cast<int>(candidates.size()));
  leaveWeight_ = BoardOpenness(board, bag, bonus) * kLeaveWeightFactor;
  if (candidates.empty()) return;

  // Candidates in ascending order of score, equal scores in the order they were found: the
  // lowest-scoring is the fallback, the last the highest, and the kept ones are taken from the
  // top down. Only the kept ones need sorting.
  const int n = static_cast<int>(candidates.size());
  auto below = [&](int a, int b) {
    const int sa = candidates[static_cast<std::size_t>(a)].total;
    const int sb = candidates[static_cast<std::size_t>(b)].total;
    return sa != sb ? sa < sb : a < b;
  };
  std::vector<int> order(static_cast<std::size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  fallbackMove_ =
      candidates[static_cast<std::size_t>(*std::min_element(order.begin(), order.end(), below))];
  highestMove_ =
      candidates[static_cast<std::size_t>(*std::max_element(order.begin(), order.end(), below))];
  const int kept = std::min(n, keepCount_ + 1);
  auto above = [&](int a, int b) { return below(b, a); };
  std::partial_sort(order.begin(), order.begin() + kept, order.end(), above);
  ranked_.reserve(static_cast<std::size_t>(kept));
  for (int i = 0; i < kept; ++i)
    ranked_.push_back(candidates[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])]);

  for (Move& move : ranked_) {
    move.evaluation =
        move.total + LeaveValue(move.rackAfter, leaveWeight_) - HookRisk(board, bag, move);
  }
  std::stable_sort(ranked_.begin(), ranked_.end(),
                   [](const Move& a, const Move& b) { return a.evaluation < b.evaluation; });
  std::reverse(ranked_.begin(), ranked_.end());
}

MoveChooser MoveChooser::Restored(std::vector<Move> ranked, int keepCount, double leaveWeight,
                                  const Board& board, const Bag& bag, const Player& computer,
                                  const Player& opponent, const WordList* simpleWords, bool filter,
                                  int bonus) {
  MoveChooser chooser(board, bag, computer, opponent, simpleWords, filter, bonus);
  chooser.ranked_ = std::move(ranked);
  chooser.keepCount_ = keepCount;
  chooser.leaveWeight_ = leaveWeight;
  if (chooser.ranked_.empty()) {
    chooser.highestMove_ = NoMove();
    chooser.fallbackMove_ = NoMove();
    return chooser;
  }
  auto byScore = [](const Move& a, const Move& b) { return a.total < b.total; };
  chooser.fallbackMove_ =
      *std::min_element(chooser.ranked_.begin(), chooser.ranked_.end(), byScore);
  chooser.highestMove_ = *std::max_element(chooser.ranked_.begin(), chooser.ranked_.end(), byScore);
  return chooser;
}

Move MoveChooser::ChooseMove(int levelValue) const {
  int v = levelValue < 1 ? kDefaultLevelValue : levelValue;
  const int n = static_cast<int>(ranked_.size());
  auto entry = [this](int index) -> const Move& {
    return ranked_[static_cast<std::size_t>(index)];
  };

  // The strong levels play the entry at index v - 1: that is the entry the filter must pass
  // over while it is made only of listed words, up to the last entry.
  if (v <= 4 && v < n) {
    int index = v - 1;
    while (filter_ && index < n - 1 && AllWordsFiltered(entry(index))) ++index;
    return entry(index);
  }
  if (v >= 5 && v < n) {
    while (filter_ && v < n - 1 && AllWordsFiltered(entry(v))) ++v;
    const int range = v == 10 ? 20 : v == 9 ? 6 : 2;
    const int strongDraw = v == 10 ? 5 : v == 9 ? 4 : 1;
    bool weakPlay = RandomInts(range, 5, bag_->ClockRef())[3] != strongDraw;
    const std::int64_t lead = std::int64_t{computer_->score} - opponent_->score;
    if (bonus_ >= 50 && -lead >= bonus_) weakPlay = false;
    if (bonus_ >= 50 && lead >= bonus_) weakPlay = true;
    if (!weakPlay || v == n - 1) return entry(v);
    for (int index = n - 1; index > v; --index) {
      const Move& move = entry(index);
      if (filter_ && AllWordsFiltered(move)) continue;
      if (move.total >= 1 && move.total <= bonus_ / 2 && AllWordsSimple(move, simpleWords_)) {
        return move;
      }
    }
    return fallbackMove_;
  }
  if (ranked_.empty()) return NoMove();
  return ranked_.back();
}

}  // namespace lumiquad
