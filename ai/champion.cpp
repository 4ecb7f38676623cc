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
  double sum = 0;  // of the outcomes played out
  int runs = 0;
};

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
    RackLeaves replyLeaves;
    Candidates reply;
    std::vector<double> replyEquities;
    do {
      std::shuffle(unseen.begin(), unseen.end(), random);
      const std::string opponent = unseen.substr(0, static_cast<std::size_t>(opponentTiles));
      replyLeaves.Build(opponent, value);
      for (Option& option : choices) {
        ScratchBoard::Laid laid;
        if (!option.exchange) laid = scratch.Lay(option.candidate);
        MarkCentreAnchor(board);
        FindBestCandidates(board, opponent, view.bonus, replyLeaves, 1, reply, replyEquities);
        const double answer = replyEquities.empty() ? 0 : replyEquities.front();
        if (!option.exchange) scratch.TakeBack(laid);
        option.sum += option.equity - answer;
        ++option.runs;
      }
    } while (options.playouts > 0 ? choices.front().runs < options.playouts
                                  : SteadyClock::now() < deadline);
    for (Option& option : choices) option.equity = option.sum / option.runs;
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
