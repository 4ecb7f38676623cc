#pragma once

#include <cstdint>
#include <string>

#include "model/layouts.h"

namespace lumiquad {

struct TrainOptions {
  GameType type = GameType::Scrabble;
  int games = 20000;
  int batch = 500;     // games between two fits and two saves
  int wholeGames = 0;  // games played after those to learn what whole leaves are worth
  std::uint64_t seed = 20261207;
  std::string dictionary;
  std::string out;  // the leave value file; beside it OUT.state while the training runs
};

// Learns the champion's leave values by self-play: both sides choose by score and the current
// values; after each batch of games, each leave's pairs and tiles are fitted to what its keeper
// scored on the next turn and the worth of what it kept then, above the average; the values kept
// are their mean over the batches of the second half of the games. Then, over
// `wholeGames` more games, each leave of three tiles or more is given the mean of what its play
// showed beyond its tiles and pairs, drawn towards nothing while it was seen only a few times.
// Fixed seed, so the same options give the same file; a run that stops is taken up again from its
// last batch. Answers false with a reason on standard error.
bool TrainLeaves(const TrainOptions& options);

}  // namespace lumiquad
