#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/layouts.h"

namespace lumiquad {

// Side A's outcome of each pair, by pair number, as a run writes it: another run of the same deals
// is compared with it deal by deal, which tells far less noise from a difference than the two
// runs' own intervals do.
struct PairRecords {
  std::int64_t seed = 0;
  GameType type = GameType::Scrabble;
  std::vector<double> spreads;  // A's mean spread over the pair's two games
  std::vector<double> wins;     // A's share of them won, a draw half
};
std::string PairRecordsText(const PairRecords& records);
// Nothing, with a reason, for anything but what PairRecordsText writes.
std::optional<PairRecords> ParsePairRecords(std::string_view text, std::string* error);

struct MatchOptions {
  int levelA = 1;  // level values: 1 "Genius" to 10 "Learner", 50 the hidden level, the champion
  int championMs = 1000;     // the champion's time a turn
  int championPlayouts = 0;  // above 0: the racks it plays out a turn, whatever the time
  int levelB = 1;
  int pairs = 1;
  GameType type = GameType::Scrabble;
  std::int64_t seed = 1'700'000'000;
  std::string dictionary;
  std::string simpleWords;
  int threads = 0;       // pairs played side by side; 0: one a core, one when a champion thinks
  std::string pairsOut;  // where the pairs' records go, when given
  std::optional<PairRecords> compareTo;  // a run of the same deals to compare with
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
