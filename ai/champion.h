#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "ai/leave_table.h"
#include "rules/move.h"

namespace lumiquad {

class Board;

// The level above "Genius": what its level value stands for wherever a level is given.
inline constexpr int kChampionLevel = 100;

// What the champion knows at its turn, as a player at the table knows it: the board, its rack,
// both scores, and the tiles it has not seen (the bag and the opponent's rack as one).
struct ChampionView {
  const Board* board = nullptr;
  std::string rack;
  std::string unseen;
  int bagSize = 0;  // how many of the unseen tiles are in the bag
  int score = 0;
  int opponentScore = 0;
  int bonus = 50;
  std::uint64_t seed = 1;  // for the racks it imagines for the opponent
};

struct ChampionOptions {
  const LeaveTable* leaves = nullptr;  // the heuristic when none
  std::chrono::milliseconds budget{1000};
  int playouts = 0;  // when above 0, exactly so many play-outs, whatever the time
  int threads = 0;   // to play out on; as many as the processor runs at once when 0
};

struct ChampionChoice {
  enum class Kind { Place, Exchange, Pass };
  Kind kind = Kind::Pass;
  Move move;             // the placement, as the search records it
  std::string exchange;  // the tiles to exchange
  double value = 0;      // what it expects of the choice
};

// Chooses by equity, the score and the worth of the tiles kept: the best placements and the best
// exchange (with seven tiles or more in the bag) are played out against racks the opponent may
// hold, within the time budget: six turns ahead with a full rack or more in the bag, two with
// seven, and with fewer on to the end of the game, where a win counts beside the spread; with the
// bag empty, both sides' replies are searched to the end.
ChampionChoice ChooseChampion(const ChampionView& view, const ChampionOptions& options);

// The threads worth running at once on this machine: one a core, 1 to 8.
int MachineThreads();

}  // namespace lumiquad
