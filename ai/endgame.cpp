#include "ai/endgame.h"

#include <algorithm>
#include <climits>

#include "ai/scratch_board.h"
#include "model/player.h"

namespace lumiquad {

namespace {

constexpr int kDeepest = 14;
// The side to move now has more of its moves searched than the deeper plies: the choice is made
// there, and its replies are searched at the first depth whatever the time. Played against the
// same endgames, 128 and 32 gained a point a game over 32 and 8, and still ended within a second.
// A second is enough: given eight, it chose otherwise in 4 of 536 endgames and gained nothing.
// Nor is more width: 512 and 128 played 2,000 pairs of deals to within a tenth of a point.
constexpr int kRootWidest = 128;
// Beyond the depth searched, the game is played on to its end, a move at a time: as many as
// both racks could take.
constexpr int kPlayedOn = 2 * kRackSize + 2;

}  // namespace

Endgame::Endgame(ScratchBoard& board, int bonus, std::chrono::steady_clock::time_point deadline,
                 int widest, std::chrono::milliseconds firstDepthMost)
    : board_(board),
      bonus_(bonus),
      widest_(widest),
      deadline_(deadline),
      firstDepthMost_(firstDepthMost) {
  lists_.resize(kDeepest + kPlayedOn + 2);
  order_.resize(kDeepest + kPlayedOn + 2);
}

void Endgame::Moves(int ply) {
  const std::string& rack = racks_[ply % 2];
  Candidates& list = lists_[static_cast<std::size_t>(ply)];
  FindCandidates(board_.Get(), rack, bonus_, list);
  std::vector<int>& order = order_[static_cast<std::size_t>(ply)];
  order.clear();
  for (int i = 0; i < static_cast<int>(list.Size()); ++i) order.push_back(i);
  // Going out first, then by score; of equal ones the search's first.
  const auto out = [&](int i) {
    return list[static_cast<std::size_t>(i)].placed >= static_cast<int>(rack.size());
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    if (out(a) != out(b)) return out(a);
    return list[static_cast<std::size_t>(a)].total > list[static_cast<std::size_t>(b)].total;
  });
  const int widest = ply == 0 ? std::max(widest_, kRootWidest) : widest_;
  int keep = 0;
  while (keep < static_cast<int>(order.size()) &&
         (keep < widest || out(order[static_cast<std::size_t>(keep)]))) {
    ++keep;
  }
  order.resize(static_cast<std::size_t>(keep));
  if (ply == 0 && preferredRoot_ >= 0) {
    auto at = std::find(order.begin(), order.end(), preferredRoot_);
    if (at != order.end()) std::rotate(order.begin(), at, at + 1);
  }
}

int Endgame::Search(int ply, int depth, int lead, int alpha, int beta, int passes) {
  // A node costs a whole search of a rack: the clock is cheap beside it. The first depth, each
  // move and the best reply to it, is searched to the end past the deadline, up to its limit.
  ++nodes_;
  if (std::chrono::steady_clock::now() > (firstDepth_ ? latest_ : deadline_)) timeUp_ = true;
  if (timeUp_) return 0;
  Moves(ply);
  const Candidates& list = lists_[static_cast<std::size_t>(ply)];
  const std::vector<int>& order = order_[static_cast<std::size_t>(ply)];
  if (depth == 0) {
    reachedDepth_ = true;
    return PlayOn(ply, lead, passes);
  }
  int best = INT_MIN;
  for (std::size_t k = 0; k <= order.size(); ++k) {
    const int index = k < order.size() ? order[k] : -1;
    int value = 0;
    if (index >= 0) {
      value = Played(ply, list[static_cast<std::size_t>(index)], lead, [&](int after) {
        return -Search(ply + 1, depth - 1, -after, -beta, -alpha, 0);
      });
    } else {
      // Two passes in a row leave nothing to change.
      value = passes >= 1 ? lead : -Search(ply + 1, depth - 1, -lead, -beta, -alpha, passes + 1);
    }
    if (timeUp_) return 0;
    if (value > best) {
      best = value;
      if (ply == 0) {
        bestRoot_ = index;
        bestRootLead_ = value;
        rootWeighed_ = true;
      }
    }
    alpha = std::max(alpha, value);
    if (alpha >= beta) break;
  }
  return best;
}

int Endgame::PlayOn(int ply, int lead, int passes) {
  // The side to move's moves were listed at this ply. Each side goes out when it can, else
  // plays its highest-scoring move.
  const std::vector<int>& order = order_[static_cast<std::size_t>(ply)];
  if (ply + 1 >= static_cast<int>(lists_.size())) return lead;
  if (order.empty()) {
    if (passes >= 1) return lead;
    Moves(ply + 1);
    return -PlayOn(ply + 1, -lead, passes + 1);
  }
  const Candidate& move =
      lists_[static_cast<std::size_t>(ply)][static_cast<std::size_t>(order.front())];
  return Played(ply, move, lead, [&](int after) {
    Moves(ply + 1);
    return -PlayOn(ply + 1, -after, 0);
  });
}

template <typename Then>
int Endgame::Played(int ply, const Candidate& move, int lead, Then then) {
  const int side = ply % 2;
  std::string tiles;
  const ScratchBoard::Laid laid = board_.Lay(move, &tiles);
  const std::string kept = racks_[side];
  TakeTiles(racks_[side], tiles);
  // Going out ends the game on the spot.
  const int after = lead + move.total;
  const int value = racks_[side].empty() ? after : then(after);
  racks_[side] = kept;
  board_.TakeBack(laid);
  return value;
}

Endgame::Result Endgame::Solve(const std::string& rack, const std::string& opponentRack) {
  Result result;
  // The first depth is searched whatever the time, so that every move has its reply weighed;
  // with blanks on a crowded board that alone may take seconds. Past its limit, or the deadline
  // when later, the moves weighed so far decide.
  latest_ = std::max(deadline_, std::chrono::steady_clock::now() + firstDepthMost_);
  for (int depth = 1; depth <= kDeepest; ++depth) {
    racks_[0] = rack;
    racks_[1] = opponentRack;
    bestRoot_ = -1;
    rootWeighed_ = false;
    reachedDepth_ = false;
    firstDepth_ = depth == 1;
    const int lead = Search(0, depth, 0, INT_MIN / 2, INT_MAX / 2, 0);
    if (timeUp_) {
      if (firstDepth_) CutShort(result);
      break;
    }
    preferredRoot_ = bestRoot_;
    result.lead = lead;
    result.depth = depth;
    result.pass = bestRoot_ < 0;
    rootList_ = lists_[0];
    if (bestRoot_ >= 0) result.move = rootList_[static_cast<std::size_t>(bestRoot_)];
    if (!reachedDepth_) break;  // every line played out to the end
  }
  return result;
}

void Endgame::CutShort(Result& result) {
  // The best of the moves weighed; when none was, the first in order: going out, else the
  // highest-scoring. The time may have run out before they were even listed.
  if (!rootWeighed_) Moves(0);
  rootList_ = lists_[0];
  const std::vector<int>& order = order_[0];
  if (!rootWeighed_ && order.empty()) return;
  const int index = rootWeighed_ ? bestRoot_ : order.front();
  result.lead = rootWeighed_ ? bestRootLead_ : 0;
  result.pass = index < 0;
  if (index >= 0) result.move = rootList_[static_cast<std::size_t>(index)];
}

}  // namespace lumiquad
