#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "ai/candidates.h"
#include "ai/rack_leaves.h"

namespace lumiquad {

class Board;

// One choice of the player to move, and what playing it out found.
struct PlayedOutChoice {
  bool exchange = false;  // tiles changed: the board stays as it is
  Candidate candidate;    // otherwise the placement
  double equity = 0;      // its score and the worth of its leave

  double mean = 0;       // the equity less the opponent's best reply, on average over the racks
  int runs = 0;          // racks it was played out against
  bool givenUp = false;  // it did clearly worse than another on the same racks

  double sum = 0;  // of the outcomes, each by the weight of its rack
  double weight = 0;
  std::vector<double> outcomes;  // over racks drawn at random, in order
};

struct PlayOutPlan {
  std::string unseen;     // the tiles the player has not seen, in any order
  int opponentTiles = 7;  // how many of them the opponent holds
  int bagSize = 0;
  int bonus = 50;
  std::uint64_t seed = 1;
  std::chrono::steady_clock::time_point deadline;
  int playouts = 0;  // when above 0, so many racks whatever the time
  int threads = 1;
};

// Plays every choice out two turns ahead: it is laid, and the opponent answers with its best
// reply by score and leave from a rack of the unseen tiles, the same racks for every choice. With
// a few tiles in the bag the racks are every one it may hold, the likeliest first, each by its
// chance; otherwise they are drawn at random, and a choice that clearly does worse than the
// leader is given up so that the time goes to those that may still be best. Runs until the
// deadline (or the play-outs asked for), one choice is left, or every rack was seen; the racks
// are shared out among the threads and their outcomes taken in order, so the threads never change
// what a number of play-outs finds.
void PlayOut(const Board& board, const PlayOutPlan& plan, const LeaveValueFunction& value,
             std::vector<PlayedOutChoice>& choices);

}  // namespace lumiquad
