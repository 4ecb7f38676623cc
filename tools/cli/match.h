#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/layouts.h"

namespace lumiquad {

struct MatchOptions {
  int levelA = 1;  // level values: 1 "Genius" to 10 "Learner", 50 the hidden level, the champion
  int championMs = 1000;  // the champion's time a turn
  int levelB = 1;
  int pairs = 1;
  GameType type = GameType::Scrabble;
  std::int64_t seed = 1'700'000'000;
  std::string dictionary;
  std::string simpleWords;
  int threads = 0;  // pairs played side by side; 0: one a core, one when a champion thinks
};

// A level by its menu name ("genius", "champion", any case) or its number; nothing for neither.
std::optional<int> ParseLevel(std::string_view text);

// Plays pairs of games between two levels: each pair starts from the same second of the clock,
// so the same deal and the same first seat, with the levels' seats swapped. Prints each side's
// win rate and mean spread with 95% intervals (over the pairs), bingos and exchanges a game and
// the time a turn, with a progress bar on standard error. Answers false when a game stalls.
// Pairs are played side by side, each with an engine of its own; a pair's games depend only on
// the seed and its number, so the threads change nothing but the times.
bool RunMatch(const MatchOptions& options);

// How many pairs RunMatch plays at once.
int MatchThreads(const MatchOptions& options);

}  // namespace lumiquad
