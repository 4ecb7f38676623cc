#include "ai/play_outs.h"

#include <algorithm>
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
constexpr int kFirstLook = 24;
constexpr int kRound = 8;
// A choice is given up once it trails the leader by this many standard errors of the difference
// over the same racks.
constexpr double kGiveUp = 2.0;

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

// What one thread needs to play choices out: a board of its own to lay them on.
struct Worker {
  explicit Worker(const Board& board) : scratch(board) {}
  ScratchBoard scratch;
  RackLeaves leaves;
  Candidates reply;
  std::vector<double> equities;
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
  const bool everyRack =
      plan.bagSize <= kRackSize && PossibleRacks(unseen, plan.opponentTiles, every);
  std::size_t nextRack = 0;
  const int threads = std::max(1, plan.threads);
  std::vector<std::unique_ptr<Worker>> workers;
  for (int t = 0; t < threads; ++t) workers.push_back(std::make_unique<Worker>(board));
  const std::size_t count = choices.size();
  auto live = [&] {
    return std::count_if(choices.begin(), choices.end(),
                         [](const PlayedOutChoice& choice) { return !choice.givenUp; });
  };
  auto timeLeft = [&] { return plan.playouts > 0 || SteadyClock::now() < plan.deadline; };

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
        std::shuffle(unseen.begin(), unseen.end(), random);
        round.push_back({unseen.substr(0, static_cast<std::size_t>(plan.opponentTiles)), 1.0});
      }
    }
    results.assign(static_cast<std::size_t>(size), std::vector<double>(count, 0.0));
    done.assign(static_cast<std::size_t>(size), 0);
    auto work = [&](int thread) {
      Worker& worker = *workers[static_cast<std::size_t>(thread)];
      Board& scratch = worker.scratch.Get();
      for (int i = thread; i < size && timeLeft(); i += threads) {
        const std::string& opponent = round[static_cast<std::size_t>(i)].tiles;
        worker.leaves.Build(opponent, value);
        for (std::size_t c = 0; c < count; ++c) {
          const PlayedOutChoice& choice = choices[c];
          if (choice.givenUp) continue;
          ScratchBoard::Laid laid;
          if (!choice.exchange) laid = worker.scratch.Lay(choice.candidate);
          MarkCentreAnchor(scratch);
          FindBestCandidates(scratch, opponent, plan.bonus, worker.leaves, 1, worker.reply,
                             worker.equities);
          const double answer = worker.equities.empty() ? 0 : worker.equities.front();
          if (!choice.exchange) worker.scratch.TakeBack(laid);
          results[static_cast<std::size_t>(i)][c] = choice.equity - answer;
        }
        done[static_cast<std::size_t>(i)] = 1;
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
