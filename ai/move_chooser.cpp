#include "ai/move_chooser.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
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

// Whether a rated move is ranked before another: the higher evaluation first; of equal
// evaluations the lower score, and of equal scores the one the search found first.
template <typename FoundFirst>
bool RatedBefore(double ea, int ta, double eb, int tb, FoundFirst foundFirst) {
  if (ea != eb) return ea > eb;
  if (ta != tb) return ta < tb;
  return foundFirst();
}

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
  auto at = [&](int i) -> const Move& { return candidates[static_cast<std::size_t>(i)]; };
  Choose(
      static_cast<int>(candidates.size()), keepCount, [&](int i) { return at(i).total; },
      [](int a, int b) { return a < b; }, [&](int i, Move& move) { move = at(i); },
      [&](const std::vector<int>& kept, std::uint32_t inBag) {
        std::vector<double> evaluations(kept.size());
        for (std::size_t k = 0; k < kept.size(); ++k) {
          const Move& move = at(kept[k]);
          evaluations[k] = move.total + LeaveValue(move.rackAfter, leaveWeight_) -
                           HookRisk(*board_, inBag, move);
        }
        std::vector<int> places(kept.size());
        std::iota(places.begin(), places.end(), 0);
        std::sort(places.begin(), places.end(), [&](int a, int b) {
          const int ia = kept[static_cast<std::size_t>(a)];
          const int ib = kept[static_cast<std::size_t>(b)];
          return RatedBefore(evaluations[static_cast<std::size_t>(a)], at(ia).total,
                             evaluations[static_cast<std::size_t>(b)], at(ib).total,
                             [&] { return ia < ib; });
        });
        std::vector<Move> moves;
        moves.reserve(kept.size());
        for (int k : places) {
          moves.push_back(at(kept[static_cast<std::size_t>(k)]));
          moves.back().evaluation = evaluations[static_cast<std::size_t>(k)];
        }
        return std::make_shared<const RankedMoves>(std::move(moves));
      });
}

MoveChooser::MoveChooser(const Candidates& candidates, int keepCount, const Board& board,
                         const Bag& bag, const Player& computer, const Player& opponent,
                         const WordList* simpleWords, bool filter, int bonus)
    : MoveChooser(board, bag, computer, opponent, simpleWords, filter, bonus) {
  auto at = [&](int i) -> const Candidate& { return candidates[static_cast<std::size_t>(i)]; };
  Choose(
      static_cast<int>(candidates.Size()), keepCount, [&](int i) { return at(i).total; },
      [&](int a, int b) { return candidates.Before(at(a), at(b)); },
      [&](int i, Move& move) { candidates.FillMove(at(i), move); },
      [&](const std::vector<int>& kept, std::uint32_t inBag) {
        return std::make_shared<const RankedMoves>(candidates, kept, leaveWeight_, inBag);
      });
}

namespace {

// The indexes of the `kept` highest of `n` moves by score, highest first, moves of one score in
// no particular order: the list in ascending order of score and search order, taken from the
// top down. Scores are sorted as integers; the search's order is only asked of the lowest score
// kept, which may be shared with moves left out.
template <typename Score, typename Before>
std::vector<int> Highest(int n, int kept, Score score, Before before) {
  // Highest score first, as an unsigned key above the index.
  auto keyOf = [&](int i) {
    const auto rank = static_cast<std::uint64_t>(std::int64_t{INT32_MAX} - score(i));
    return rank << 32 | static_cast<std::uint32_t>(i);
  };
  auto indexOf = [](std::uint64_t key) { return static_cast<int>(key & 0xffffffffu); };
  std::vector<std::uint64_t> keys(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) keys[static_cast<std::size_t>(i)] = keyOf(i);
  const auto keptEnd = keys.begin() + kept;
  if (kept < n) std::nth_element(keys.begin(), keptEnd - 1, keys.end());
  std::sort(keys.begin(), keptEnd);

  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(n));
  for (auto key = keys.begin(); key != keptEnd; ++key) order.push_back(indexOf(*key));
  // The lowest score kept may be shared with moves left out: all of them compete for the
  // places left.
  const int last = score(order.back());
  auto first = std::find_if(order.begin(), order.end(), [&](int i) { return score(i) == last; });
  const auto placesLeft = order.end() - first;
  for (auto key = keptEnd; key != keys.end(); ++key) {
    if (score(indexOf(*key)) == last) order.push_back(indexOf(*key));
  }
  auto searchOrder = [&](int a, int b) { return before(b, a); };
  std::sort(first, order.end(), searchOrder);
  order.erase(first + placesLeft, order.end());
  return order;
}

}  // namespace

template <typename Score, typename Before, typename Fill, typename Rank>
void MoveChooser::Choose(int n, int keepCount, Score score, Before before, Fill fill, Rank rank) {
  // Fewer candidates than the keep count lower it to their number, none included.
  keepCount_ = std::min(keepCount, n);
  leaveWeight_ = BoardOpenness(*board_, *bag_, bonus_) * kLeaveWeightFactor;
  if (n == 0) return;

  // Candidates in ascending order of score, equal scores in the order the search finds them:
  // the lowest-scoring is the fallback, the highest the first kept, and the kept ones are taken
  // from the top down. Only the kept ones are sorted and rated.
  auto below = [&](int a, int b) {
    const int sa = score(a);
    const int sb = score(b);
    return sa != sb ? sa < sb : before(a, b);
  };
  int lowest = 0;
  for (int i = 1; i < n; ++i) {
    if (below(i, lowest)) lowest = i;
  }
  const int kept = std::min(n, keepCount_ + 1);
  const std::vector<int> order = Highest(n, kept, score, before);
  ranked_ = rank(order, LettersInBag(*bag_));
  // Of the highest score, the one the search found last.
  int highest = order.front();
  for (int i : order) {
    if (score(i) != score(highest)) break;
    if (before(highest, i)) highest = i;
  }
  fill(highest, highestMove_);
  fill(lowest, fallbackMove_);
  highestMove_.evaluation = 0;
  fallbackMove_.evaluation = 0;
}

MoveChooser MoveChooser::Restored(std::vector<Move> ranked, int keepCount, double leaveWeight,
                                  const Board& board, const Bag& bag, const Player& computer,
                                  const Player& opponent, const WordList* simpleWords, bool filter,
                                  int bonus) {
  MoveChooser chooser(board, bag, computer, opponent, simpleWords, filter, bonus);
  chooser.keepCount_ = keepCount;
  chooser.leaveWeight_ = leaveWeight;
  if (ranked.empty()) {
    chooser.highestMove_ = NoMove();
    chooser.fallbackMove_ = NoMove();
    return chooser;
  }
  auto byScore = [](const Move& a, const Move& b) { return a.total < b.total; };
  chooser.fallbackMove_ = *std::min_element(ranked.begin(), ranked.end(), byScore);
  chooser.highestMove_ = *std::max_element(ranked.begin(), ranked.end(), byScore);
  chooser.ranked_ = std::make_shared<const RankedMoves>(std::move(ranked));
  return chooser;
}

const std::vector<Move>& MoveChooser::Ranked() const {
  static const std::vector<Move> kNone;
  return ranked_ ? ranked_->Whole() : kNone;
}

Move MoveChooser::ChooseMove(int levelValue) const {
  int v = levelValue < 1 ? kDefaultLevelValue : levelValue;
  const int n = ranked_ ? ranked_->Size() : 0;
  auto entry = [this](int index) { return ranked_->At(index); };

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
      // Only a low score of simple words will do: the score is known before the words.
      const int total = ranked_->TotalAt(index);
      if (total < 1 || total > bonus_ / 2) continue;
      const Move move = entry(index);
      if (filter_ && AllWordsFiltered(move)) continue;
      if (AllWordsSimple(move, simpleWords_)) return move;
    }
    return fallbackMove_;
  }
  if (n == 0) return NoMove();
  return entry(n - 1);
}

RankedMoves::RankedMoves(std::vector<Move> moves)
    : size_(static_cast<int>(moves.size())), moves_(std::move(moves)), whole_(true) {}

RankedMoves::RankedMoves(const Candidates& candidates, const std::vector<int>& kept,
                         double leaveWeight, std::uint32_t lettersInBag)
    : size_(static_cast<int>(kept.size())),
      context_(candidates.Context()),
      squares_(candidates.Squares()),
      leaveWeight_(leaveWeight),
      leaveCeiling_(candidates.LeaveValueCeiling(leaveWeight)),
      lettersInBag_(lettersInBag),
      evaluations_(kept.size()) {
  kept_.reserve(kept.size());
  for (int index : kept) kept_.push_back(candidates[static_cast<std::size_t>(index)]);
}

void RankedMoves::Settle(int places) const {
  const int n = size_;
  auto valueLeave = [&] {
    const int k = leavesValued_++;
    const Candidate& candidate = kept_[static_cast<std::size_t>(k)];
    ceilings_.emplace_back(
        candidate.total + context_.LeaveValueOf(*squares_, candidate, leaveWeight_), k);
    std::push_heap(ceilings_.begin(), ceilings_.end());
  };
  auto rate = [&] {
    std::pop_heap(ceilings_.begin(), ceilings_.end());
    const auto [ceiling, k] = ceilings_.back();
    ceilings_.pop_back();
    const Candidate& candidate = kept_[static_cast<std::size_t>(k)];
    evaluations_[static_cast<std::size_t>(k)] =
        ceiling - HookRisk(*squares_, context_.Words(), lettersInBag_,
                           std::string_view(candidate.word.data(), candidate.length),
                           context_.Row(candidate), context_.Column(candidate), candidate.direction,
                           candidate.total);
    rated_.push_back(k);
  };
  auto byPlace = [&](int a, int b) {
    const Candidate& ca = kept_[static_cast<std::size_t>(a)];
    const Candidate& cb = kept_[static_cast<std::size_t>(b)];
    return RatedBefore(evaluations_[static_cast<std::size_t>(a)], ca.total,
                       evaluations_[static_cast<std::size_t>(b)], cb.total,
                       [&] { return context_.Before(ca, cb); });
  };
  if (places >= n) {
    while (leavesValued_ < n) valueLeave();
    while (!ceilings_.empty()) rate();
  }
  while (static_cast<int>(places_.size()) < places) {
    const double loose = leavesValued_ < n
                             ? kept_[static_cast<std::size_t>(leavesValued_)].total + leaveCeiling_
                             : -HUGE_VAL;
    const double exact = ceilings_.empty() ? -HUGE_VAL : ceilings_.front().first;
    // A move rated above every ceiling not yet rated is ahead of all the moves left; once all
    // are rated, every one has its place.
    const bool allRated = leavesValued_ == n && ceilings_.empty();
    const double top = std::max(loose, exact);
    places_.clear();
    for (int k : rated_) {
      if (allRated || evaluations_[static_cast<std::size_t>(k)] > top) places_.push_back(k);
    }
    std::sort(places_.begin(), places_.end(), byPlace);
    if (static_cast<int>(places_.size()) >= places || allRated) break;
    if (loose >= exact) {
      valueLeave();
    } else {
      rate();
    }
  }
}

RankedMoves::Placed RankedMoves::Place(int index) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  Settle(index + 1);
  const int k = places_[static_cast<std::size_t>(index)];
  return {k, evaluations_[static_cast<std::size_t>(k)]};
}

int RankedMoves::TotalAt(int index) const {
  if (whole_.load(std::memory_order_acquire)) {
    return moves_[static_cast<std::size_t>(index)].total;
  }
  return kept_[static_cast<std::size_t>(Place(index).kept)].total;
}

Move RankedMoves::Made(Placed placed) const {
  Move move;
  context_.FillMove(*squares_, kept_[static_cast<std::size_t>(placed.kept)], move);
  move.evaluation = placed.evaluation;
  return move;
}

Move RankedMoves::At(int index) const {
  if (whole_.load(std::memory_order_acquire)) return moves_[static_cast<std::size_t>(index)];
  return Made(Place(index));
}

const std::vector<Move>& RankedMoves::Whole() const {
  std::call_once(once_, [this] {
    if (whole_.load(std::memory_order_relaxed)) return;
    const std::lock_guard<std::mutex> lock(mutex_);
    Settle(size_);
    moves_.reserve(places_.size());
    for (int k : places_) moves_.push_back(Made({k, evaluations_[static_cast<std::size_t>(k)]}));
    whole_.store(true, std::memory_order_release);
  });
  return moves_;
}

}  // namespace lumiquad
