#include "ai/champion.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "ai/candidates.h"
#include "ai/endgame.h"
#include "ai/move_generator.h"
#include "ai/play_outs.h"
#include "ai/rack_leaves.h"
#include "ai/scratch_board.h"
#include "model/board.h"
#include "model/player.h"

namespace lumiquad {

namespace {

using SteadyClock = std::chrono::steady_clock;

// How many of the best placements by equity are played out.
constexpr int kPlayedOut = 15;
// The most tiles in the bag at which the choices are played on to the end of the game. With one
// tile left, weighing each choice by every tile the bag may hold and the endgame searched after
// it found choices about two points better, but such a turn comes once in eight games. Played
// out for a second, these turns gain about three points a game over equity alone; two and a half
// seconds, or 40 choices rather than 15, gained nothing more over the same 1,000 pairs of deals.
constexpr int kPlayedToTheEnd = 6;
// With a full rack or more in the bag, the turns a choice is played out: the reply to it and two
// more moves a side, so that what it keeps, and what it opens, is tried in play. Against the
// same deals, six turns did better than four by about seven points a game.
constexpr int kTurnsAhead = 6;

// Played on to the end, a win is worth so many points of spread beside the spread itself: near
// the end of a close game the choice that wins more often is the better one. Against the same
// deals it won a few more games, and lost no points for them.
constexpr double kWinWorth = 40;

// Each tile laid opens the board to the opponent a little, which the learnt values, fitted to
// what a leave's keeper scores next, do not see: a tile kept counts this much more. With no time
// to think, over 5,000 pairs of deals, the champion did 2.6 points a game better with it.
constexpr double kKeptTileWorth = 1.0;

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

int MachineThreads() {
  return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
}

ChampionChoice ChooseChampion(const ChampionView& view, const ChampionOptions& options) {
  const SteadyClock::time_point deadline = SteadyClock::now() + options.budget;
  const LeaveTable heuristic;
  const LeaveTable& table = options.leaves != nullptr ? *options.leaves : heuristic;
  const double keptTile = table.Learnt() ? kKeptTileWorth : 0.0;
  auto value = [&](std::string_view leave) {
    return table.Value(leave) + keptTile * static_cast<double>(leave.size());
  };
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
  std::vector<PlayedOutChoice> choices;
  for (std::size_t i = 0; i < best.Size(); ++i) {
    PlayedOutChoice choice;
    choice.candidate = best[i];
    choice.equity = equities[i];
    choices.push_back(choice);
  }
  std::string keep;
  std::string exchanged;
  if (view.bagSize >= 7) {
    PlayedOutChoice choice;
    choice.exchange = true;
    if (leaves.BestExchange(keep, exchanged, choice.equity)) choices.push_back(choice);
  }
  for (PlayedOutChoice& choice : choices) choice.mean = choice.equity;

  // Played out against the racks the opponent may hold.
  const int opponentTiles = static_cast<int>(view.unseen.size()) - view.bagSize;
  if (choices.size() > 1 && opponentTiles > 0 &&
      (options.budget.count() > 0 || options.playouts > 0)) {
    PlayOutPlan plan;
    plan.unseen = view.unseen;
    plan.opponentTiles = opponentTiles;
    plan.bagSize = view.bagSize;
    plan.bonus = view.bonus;
    plan.seed = view.seed;
    plan.deadline = deadline;
    plan.playouts = options.playouts;
    plan.threads = options.threads > 0 ? options.threads : MachineThreads();
    // With a few tiles left to draw, who can go out first counts for more than the tiles kept.
    if (view.bagSize >= 1 && view.bagSize <= kPlayedToTheEnd) {
      plan.turns = 0;
      plan.lead = view.score - view.opponentScore;
      plan.winWorth = kWinWorth;
    } else if (view.bagSize > kRackSize) {
      plan.turns = kTurnsAhead;
    }
    plan.rack = view.rack;
    plan.keep = keep;
    plan.exchanged = exchanged;
    PlayOut(board, plan, value, choices);
  }
  // The best of those still in play, by their mean outcome; of equal ones the first by equity.
  std::stable_sort(choices.begin(), choices.end(),
                   [](const PlayedOutChoice& a, const PlayedOutChoice& b) {
                     if (a.givenUp != b.givenUp) return b.givenUp;
                     if (a.mean != b.mean) return a.mean > b.mean;
                     return a.equity > b.equity;
                   });

  ChampionChoice choice;
  if (choices.empty()) return choice;
  const PlayedOutChoice& chosen = choices.front();
  choice.value = chosen.mean;
  if (chosen.exchange) {
    choice.kind = ChampionChoice::Kind::Exchange;
    choice.exchange = exchanged;
  } else {
    choice.kind = ChampionChoice::Kind::Place;
    // The list was made on the board as it is now: the move is made whole from it.
    MarkCentreAnchor(board);
    choice.move = best.ToMove(chosen.candidate);
  }
  return choice;
}

}  // namespace lumiquad
