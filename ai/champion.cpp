#include "ai/champion.h"

#include <algorithm>
#include <random>
#include <vector>

#include "ai/candidates.h"
#include "ai/endgame.h"
#include "ai/move_generator.h"
#include "ai/rack_leaves.h"
#include "ai/scratch_board.h"
#include "model/board.h"
#include "model/player.h"

namespace lumiquad {

namespace {

using SteadyClock = std::chrono::steady_clock;

// How many of the best placements by equity are played out.
constexpr int kPlayedOut = 10;

// One choice being played out.
struct Option {
  bool exchange = false;
  Candidate candidate;
  std::string keep;  // what an exchange keeps
  std::string exchanged;
  double equity = 0;  // score and leave
  double leave = 0;
  double sum = 0;     // of the outcomes played out, each by its weight
  double weight = 0;  // of those outcomes
  int runs = 0;
};

// Near the end the opponent's possible racks are few enough to look at one by one.
constexpr std::size_t kMostRacks = 4000;

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

ChampionChoice EndgameChoice(const ChampionView& view, ScratchBoard& scratch,
                             SteadyClock::time_point deadline) {
  ChampionChoice choice;
  Endgame endgame(scratch, view.bonus, deadline);
  const Endgame::Result result = endgame.Solve(view.rack, view.unseen);
  choice.value = result.lead;
  if (!result.pass) {
    choice.kind = ChampionChoice::Kind::Place;
    choice.move = endgame.List().ToMove(result.move);
  }
  return choice;
}

}  // namespace

ChampionChoice ChooseChampion(const ChampionView& view, const ChampionOptions& options) {
  const SteadyClock::time_point deadline = SteadyClock::now() + options.budget;
  const LeaveTable heuristic;
  const LeaveTable& table = options.leaves != nullptr ? *options.leaves : heuristic;
  auto value = [&](std::string_view leave) { return table.Value(leave); };
  ScratchBoard scratch(*view.board);
  Board& board = scratch.Get();
  MarkCentreAnchor(board);
  if (view.bagSize == 0 && !view.unseen.empty() && !board.IsBoardEmpty()) {
    return EndgameChoice(view, scratch, deadline);
  }

  // The best placements by equity, and the best exchange when the bag allows one.
  RackLeaves leaves;
  leaves.Build(view.rack, value);
  Candidates best;
  std::vector<double> equities;
  FindBestCandidates(board, view.rack, view.bonus, leaves, kPlayedOut, best, equities);
  std::vector<Option> choices;
  for (std::size_t i = 0; i < best.Size(); ++i) {
    Option option;
    option.candidate = best[i];
    option.equity = equities[i];
    option.leave = equities[i] - best[i].total;
    choices.push_back(option);
  }
  if (view.bagSize >= 7) {
    Option option;
    option.exchange = true;
    if (leaves.BestExchange(option.keep, option.exchanged, option.leave)) {
      option.equity = option.leave;
      choices.push_back(option);
    }
  }
  std::stable_sort(choices.begin(), choices.end(),
                   [](const Option& a, const Option& b) { return a.equity > b.equity; });

  // Played out two turns ahead against the racks the opponent may hold: its best reply by the
  // same measure, from the unseen tiles shuffled.
  const int opponentTiles = static_cast<int>(view.unseen.size()) - view.bagSize;
  if (choices.size() > 1 && opponentTiles > 0 &&
      (options.budget.count() > 0 || options.playouts > 0)) {
    std::mt19937_64 random(view.seed);
    // The unseen tiles as a lot: in whatever order they came, the same racks are drawn.
    std::string unseen = view.unseen;
    std::sort(unseen.begin(), unseen.end());
    // With a few tiles in the bag, every rack the opponent may hold, the likeliest first, each
    // counted by its chance; otherwise racks drawn at random.
    std::vector<PossibleRack> racks;
    const bool everyRack = view.bagSize <= kRackSize && PossibleRacks(unseen, opponentTiles, racks);
    std::size_t nextRack = 0;
    RackLeaves replyLeaves;
    Candidates reply;
    std::vector<double> replyEquities;
    std::string opponent;
    double weight = 1;
    do {
      if (everyRack) {
        opponent = racks[nextRack].tiles;
        weight = racks[nextRack++].ways;
      } else {
        std::shuffle(unseen.begin(), unseen.end(), random);
        opponent = unseen.substr(0, static_cast<std::size_t>(opponentTiles));
      }
      replyLeaves.Build(opponent, value);
      for (Option& option : choices) {
        ScratchBoard::Laid laid;
        if (!option.exchange) laid = scratch.Lay(option.candidate);
        MarkCentreAnchor(board);
        FindBestCandidates(board, opponent, view.bonus, replyLeaves, 1, reply, replyEquities);
        const double answer = replyEquities.empty() ? 0 : replyEquities.front();
        if (!option.exchange) scratch.TakeBack(laid);
        option.sum += weight * (option.equity - answer);
        option.weight += weight;
        ++option.runs;
      }
    } while ((!everyRack || nextRack < racks.size()) &&
             (options.playouts > 0 ? choices.front().runs < options.playouts
                                   : SteadyClock::now() < deadline));
    for (Option& option : choices) option.equity = option.sum / option.weight;
    std::stable_sort(choices.begin(), choices.end(),
                     [](const Option& a, const Option& b) { return a.equity > b.equity; });
  }

  ChampionChoice choice;
  if (choices.empty()) return choice;
  const Option& chosen = choices.front();
  choice.value = chosen.equity;
  if (chosen.exchange) {
    choice.kind = ChampionChoice::Kind::Exchange;
    choice.exchange = chosen.exchanged;
  } else {
    choice.kind = ChampionChoice::Kind::Place;
    // The list was made on the board as it is now: the move is made whole from it.
    MarkCentreAnchor(board);
    choice.move = best.ToMove(chosen.candidate);
  }
  return choice;
}

}  // namespace lumiquad
