#include "ai/play_outs.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <random>
#include <thread>
#include <utility>

#include "ai/move_generator.h"
#include "ai/scratch_board.h"
#include "model/board.h"
#include "model/player.h"

namespace lumiquad {

namespace {

using SteadyClock = std::chrono::steady_clock;

// Near the end the opponent's possible racks are few enough to look at one by one.
constexpr std::size_t kMostRacks = 4000;
// Play-outs before any choice is given up; racks shared out at a time, between two looks at
// which to give up.
constexpr int kFirstLook = 32;
constexpr int kRound = 8;
// A choice is given up once it trails the leader by this many standard errors of the difference
// over the same racks: the leader is looked at again and again, so a choice as good as it would
// too often be given up by chance at a weaker test.
constexpr double kGiveUp = 3.0;

// A rack the opponent may hold, and in how many ways the unseen tiles give it.
struct PossibleRack {
  std::string tiles;
  double ways = 0;
};

// Every rack of `size` tiles that `unseen` (sorted) can give, the likeliest first; false, and
// none, when there would be more than kMostRacks of them.
bool PossibleRacks(const std::string& unseen, int size, std::vector<PossibleRack>& racks) {
  std::vector<std::pair<char, int>> kinds;
  for (char tile : unseen) {
    if (kinds.empty() || kinds.back().first != tile) kinds.emplace_back(tile, 0);
    ++kinds.back().second;
  }
  std::string rack;
  bool tooMany = false;
  auto choose = [](int n, int k) {
    double ways = 1;
    for (int i = 1; i <= k; ++i) ways = ways * (n - k + i) / i;
    return ways;
  };
  auto add = [&](auto&& self, std::size_t kind, int left, double ways) -> void {
    if (tooMany) return;
    if (left == 0) {
      if (racks.size() == kMostRacks) {
        tooMany = true;
        return;
      }
      racks.push_back({rack, ways});
      return;
    }
    if (kind == kinds.size()) return;
    const auto [tile, count] = kinds[kind];
    for (int take = std::min(count, left); take >= 0; --take) {
      rack.append(static_cast<std::size_t>(take), tile);
      self(self, kind + 1, left - take, ways * choose(count, take));
      rack.resize(rack.size() - static_cast<std::size_t>(take));
    }
  };
  add(add, 0, size, 1.0);
  if (tooMany) {
    racks.clear();
    return false;
  }
  std::stable_sort(racks.begin(), racks.end(),
                   [](const PossibleRack& a, const PossibleRack& b) { return a.ways > b.ways; });
  return true;
}

// Gives up the choices that clearly do worse than the leader on the same racks.
void GiveUpTrailing(std::vector<PlayedOutChoice>& choices) {
  const PlayedOutChoice* leader = nullptr;
  for (const PlayedOutChoice& choice : choices) {
    if (!choice.givenUp && (leader == nullptr || choice.sum > leader->sum)) leader = &choice;
  }
  if (leader == nullptr) return;
  for (PlayedOutChoice& choice : choices) {
    if (choice.givenUp || &choice == leader) continue;
    const std::size_t n = choice.outcomes.size();
    double mean = 0;
    for (std::size_t i = 0; i < n; ++i) mean += leader->outcomes[i] - choice.outcomes[i];
    mean /= static_cast<double>(n);
    double squares = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const double d = leader->outcomes[i] - choice.outcomes[i] - mean;
      squares += d * d;
    }
    const double error = std::sqrt(squares / static_cast<double>(n - 1) / static_cast<double>(n));
    if (mean > kGiveUp * error) choice.givenUp = true;
  }
}

// How many of the best replies on the board as it stands are kept: among so many there is
// nearly always one that a choice does not change.
constexpr int kStanding = 12;

}  // namespace

Replies::Replies(const Board& board, int bonus, const std::vector<PlayedOutChoice>& choices)
    : scratch_(board), bonus_(bonus), choices_(choices), changed_(choices.size()) {
  const Board& b = scratch_.Get();
  auto tile = [&](int row, int column) { return b.Cell(row, column).HasTile(); };
  auto bit = [](int line) { return line >= 0 && line < kBoardSize ? 1u << line : 0u; };
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].exchange) continue;
    const Candidate& move = choices[i].candidate;
    // Along the word: its own line; its ends and its tiles' sides, the lines across it.
    std::uint32_t along = bit(move.line);
    std::uint32_t across = 0;
    for (int k = move.start - 1; k <= move.start + move.length; ++k) across |= bit(k);
    for (int k = move.start; k < move.start + move.length; ++k) {
      auto at = [&](int position, int line) {
        return move.direction == 0 ? tile(line, position) : tile(position, line);
      };
      if (at(k, move.line)) continue;
      // A tile laid joins the tiles across it into one word: a reply along a line beyond them
      // reaches it.
      int before = move.line;
      while (before > 0 && at(k, before - 1)) --before;
      int after = move.line;
      while (after < kBoardSize - 1 && at(k, after + 1)) ++after;
      along |= bit(before - 1) | bit(after + 1);
    }
    changed_[i] = move.direction == 0 ? Lines{along, across} : Lines{across, along};
  }
}

void Replies::SetRack(const std::string& rack, const LeaveValueFunction& value) {
  rack_ = rack;
  leaves_.Build(rack, value);
  MarkCentreAnchor(scratch_.Get());
  FindBestCandidates(scratch_.Get(), rack_, bonus_, leaves_, kStanding, standing_,
                     standingEquities_);
}

double Replies::Best(std::size_t choice) {
  Candidate reply;
  double equity = 0;
  return BestReply(choice, reply, equity) ? equity : 0;
}

bool Replies::BestReply(std::size_t choice, Candidate& reply, double& equity) {
  const PlayedOutChoice& played = choices_[choice];
  if (played.exchange) {
    if (standing_.Empty()) return false;
    reply = standing_[0];
    equity = standingEquities_.front();
    return true;
  }
  const Lines& lines = changed_[choice];
  bool found = false;
  for (std::size_t k = 0; k < standing_.Size() && !found; ++k) {
    if (lines.Has(standing_[k])) continue;
    reply = standing_[k];
    equity = standingEquities_[k];
    found = true;
  }
  Board& board = scratch_.Get();
  const ScratchBoard::Laid laid = scratch_.Lay(played.candidate);
  if (!found && standing_.Size() == static_cast<std::size_t>(kStanding)) {
    // Every reply looked at is one the choice may change; the best that it does not change
    // may lie further down: the whole board.
    FindBestCandidates(board, rack_, bonus_, leaves_, 1, reply_, equities_);
  } else {
    FindBestCandidatesInLines(board, rack_, bonus_, leaves_, 1, lines.rows, lines.columns, reply_,
                              equities_);
  }
  scratch_.TakeBack(laid);
  if (!equities_.empty() && (!found || equities_.front() > equity)) {
    reply = reply_[0];
    equity = equities_.front();
    found = true;
  }
  return found;
}

namespace {

// Plays choices on, a few turns or to the end of the game, on a board of its own.
class PlayOn {
 public:
  PlayOn(const Board& board, const PlayOutPlan& plan, const LeaveValueFunction& value,
         const std::vector<PlayedOutChoice>& choices)
      : scratch_(board),
        plan_(plan),
        value_(value),
        choices_(choices),
        replies_(board, plan.bonus, choices) {}
  PlayOn(const PlayOn&) = delete;
  PlayOn& operator=(const PlayOn&) = delete;

  // The opponent's rack for the outcomes that follow. While the bag cannot run out before its
  // reply, the reply is the one search of the board as it stands shares among the choices.
  void SetOpponent(const std::string& opponent) {
    opponent_ = opponent;
    shared_ = plan_.turns > 2;
    if (shared_) replies_.SetRack(opponent, value_);
  }

  // The spread the choice comes to for the player, the opponent holding the rack set and the bag
  // in the order of `bag`: the player draws from its front, the opponent from its back. Every
  // choice then meets the same tiles for the opponent, however many tiles it lays itself, and its
  // outcomes differ from another's by the choice more than by the draw: over the same racks the
  // difference of two choices varied about a quarter less than with one end drawn by both. Cut
  // short after the plan's turns, the tiles each side keeps after its last move count by their
  // worth; once the bag is empty they are worth nothing more to come, so a play-out whose bag
  // runs out goes on to the end of the game.
  double Outcome(std::size_t index, const std::string& bag) {
    const PlayedOutChoice& choice = choices_[index];
    racks_[1] = opponent_;
    bag_ = bag;
    laid_.clear();
    double spread = 0;
    if (choice.exchange) {
      // The tiles changed go into the bag's middle: they come back only once it is drawn through.
      racks_[0] = plan_.keep;
      bag_.insert(bag_.size() / 2, plan_.exchanged);
      kept_[0] = choice.equity;
    } else {
      racks_[0] = plan_.rack;
      laid_.push_back(scratch_.Lay(choice.candidate, &tiles_));
      TakeTiles(racks_[0], tiles_);
      spread = choice.candidate.total;
      kept_[0] = choice.equity - choice.candidate.total;
    }
    front_ = 0;
    back_ = bag_.size();
    Draw(racks_[0], 0);
    kept_[1] = 0;
    bool over = racks_[0].empty();
    // Two scoreless turns in a row: neither side can do more.
    int scoreless = 0;
    for (int side = 1, turn = 1; (plan_.turns == 0 || turn < plan_.turns || BagEmpty()) && !over;
         side = 1 - side, ++turn) {
      std::string& rack = racks_[side];
      Candidate move;
      double equity = 0;
      bool found = false;
      if (turn == 1 && shared_ && !BagEmpty()) {
        found = replies_.BestReply(index, move, equity);
        if (!found) leaves_.Build(rack, value_);
      } else {
        if (BagEmpty()) {
          leaves_.Build(rack, [](std::string_view leave) { return leave.empty() ? kOut : 0.0; });
        } else {
          leaves_.Build(rack, value_);
        }
        MarkCentreAnchor(scratch_.Get());
        FindBestCandidates(scratch_.Get(), rack, plan_.bonus, leaves_, 1, best_, equities_);
        found = !best_.Empty();
        if (found) {
          move = best_[0];
          equity = equities_[0];
        }
      }
      if (!found) {
        kept_[side] = leaves_.Whole();
        over = ++scoreless == 2;
        continue;
      }
      scoreless = move.total == 0 ? scoreless + 1 : 0;
      kept_[side] = equity - move.total;
      laid_.push_back(scratch_.Lay(move, &tiles_));
      TakeTiles(rack, tiles_);
      Draw(rack, side);
      spread += side == 0 ? move.total : -move.total;
      over = rack.empty() || scoreless == 2;
    }
    for (auto laid = laid_.rbegin(); laid != laid_.rend(); ++laid) scratch_.TakeBack(*laid);
    if (plan_.turns != 0 && !over) spread += kept_[0] - kept_[1];
    // Every play-out to the end ends the game: whether it is won is known, not guessed.
    if (plan_.turns == 0) {
      const double end = plan_.lead + spread;
      spread += plan_.winWorth * (end > 0 ? 1.0 : end == 0 ? 0.5 : 0.0);
    }
    return spread;
  }

 private:
  // What going out is worth beside a move's score, with the bag empty: it comes first.
  static constexpr double kOut = 1000;

  bool BagEmpty() const { return front_ >= back_; }
  void Draw(std::string& rack, int side) {
    while (rack.size() < static_cast<std::size_t>(kRackSize) && !BagEmpty()) {
      rack.push_back(side == 0 ? bag_[front_++] : bag_[--back_]);
    }
  }

  ScratchBoard scratch_;
  const PlayOutPlan& plan_;
  const LeaveValueFunction& value_;
  const std::vector<PlayedOutChoice>& choices_;
  Replies replies_;
  std::string opponent_;
  bool shared_ = false;
  std::string racks_[2];
  double kept_[2] = {0, 0};
  std::string bag_;  // undrawn from front_ up to back_
  std::size_t front_ = 0;
  std::size_t back_ = 0;
  std::string tiles_;
  std::vector<ScratchBoard::Laid> laid_;
  RackLeaves leaves_;
  Candidates best_;
  std::vector<double> equities_;
};

}  // namespace

void PlayOut(const Board& board, const PlayOutPlan& plan, const LeaveValueFunction& value,
             std::vector<PlayedOutChoice>& choices) {
  if (choices.empty() || plan.opponentTiles <= 0) return;
  std::mt19937_64 random(plan.seed);
  // The unseen tiles as a lot: in whatever order they came, the same racks are drawn.
  std::string unseen = plan.unseen;
  std::sort(unseen.begin(), unseen.end());
  std::vector<PossibleRack> every;
  const bool replies = plan.turns == 2;
  const bool everyRack =
      replies && plan.bagSize <= kRackSize && PossibleRacks(unseen, plan.opponentTiles, every);
  std::size_t nextRack = 0;
  const int threads = std::max(1, plan.threads);
  std::vector<std::unique_ptr<Replies>> best;
  std::vector<std::unique_ptr<PlayOn>> players;
  for (int t = 0; t < threads; ++t) {
    if (replies) {
      best.push_back(std::make_unique<Replies>(board, plan.bonus, choices));
    } else {
      players.push_back(std::make_unique<PlayOn>(board, plan, value, choices));
    }
  }
  const auto held = static_cast<std::size_t>(plan.opponentTiles);
  const std::size_t count = choices.size();
  auto live = [&] {
    return std::count_if(choices.begin(), choices.end(),
                         [](const PlayedOutChoice& choice) { return !choice.givenUp; });
  };
  // A rack is begun only when it may be done by the deadline, at the pace of the last one done:
  // the turn ends within its time rather than just after it.
  std::atomic<SteadyClock::rep> pace{0};
  auto timeLeft = [&] {
    return plan.playouts > 0 ||
           SteadyClock::now() + SteadyClock::duration(pace.load()) < plan.deadline;
  };

  int playedOut = 0;
  std::vector<PossibleRack> round;
  std::vector<std::vector<double>> results;
  std::vector<char> done;
  while (live() > 1 && timeLeft() && (!everyRack || nextRack < every.size()) &&
         (plan.playouts == 0 || playedOut < plan.playouts)) {
    // The racks of this round, drawn in order whatever the threads.
    int size = kRound;
    if (plan.playouts > 0) size = std::min(size, plan.playouts - playedOut);
    if (everyRack) size = std::min(size, static_cast<int>(every.size() - nextRack));
    round.clear();
    for (int i = 0; i < size; ++i) {
      if (everyRack) {
        round.push_back(every[nextRack++]);
      } else {
        // The opponent's rack, then the bag in the order it is drawn.
        std::shuffle(unseen.begin(), unseen.end(), random);
        round.push_back({unseen, 1.0});
      }
    }
    results.assign(static_cast<std::size_t>(size), std::vector<double>(count, 0.0));
    done.assign(static_cast<std::size_t>(size), 0);
    // Racks differ in cost, a blank most: each thread takes the next rack not yet taken, so none
    // waits long for the others at the round's end.
    std::atomic<int> next{0};
    auto work = [&](int thread) {
      const auto t = static_cast<std::size_t>(thread);
      for (int i = next++; i < size && timeLeft(); i = next++) {
        const SteadyClock::time_point begun = SteadyClock::now();
        const std::string& tiles = round[static_cast<std::size_t>(i)].tiles;
        std::vector<double>& outcomes = results[static_cast<std::size_t>(i)];
        if (replies) {
          best[t]->SetRack(tiles.substr(0, held), value);
          for (std::size_t c = 0; c < count; ++c) {
            if (!choices[c].givenUp) outcomes[c] = choices[c].equity - best[t]->Best(c);
          }
        } else {
          const std::string bag = tiles.substr(std::min(held, tiles.size()));
          players[t]->SetOpponent(tiles.substr(0, held));
          for (std::size_t c = 0; c < count; ++c) {
            if (!choices[c].givenUp) outcomes[c] = players[t]->Outcome(c, bag);
          }
        }
        done[static_cast<std::size_t>(i)] = 1;
        pace = (SteadyClock::now() - begun).count();
      }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < std::min(threads, size); ++t) helpers.emplace_back(work, t);
    work(0);
    for (std::thread& helper : helpers) helper.join();

    for (int i = 0; i < size; ++i) {
      if (done[static_cast<std::size_t>(i)] == 0) continue;
      const double weight = round[static_cast<std::size_t>(i)].ways;
      for (std::size_t c = 0; c < count; ++c) {
        PlayedOutChoice& choice = choices[c];
        if (choice.givenUp) continue;
        const double outcome = results[static_cast<std::size_t>(i)][c];
        choice.sum += weight * outcome;
        choice.weight += weight;
        ++choice.runs;
        if (!everyRack) choice.outcomes.push_back(outcome);
      }
      ++playedOut;
    }
    if (!everyRack && playedOut >= kFirstLook) GiveUpTrailing(choices);
  }
  for (PlayedOutChoice& choice : choices) {
    choice.mean = choice.weight > 0 ? choice.sum / choice.weight : choice.equity;
  }
}

}  // namespace lumiquad
