#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/layouts.h"

namespace lumiquad {

struct SelfPlayOptions {
  int games = 1;
  int levelValue = 1;  // both sides play at this level value
  GameType type = GameType::Lumiquad;
  std::string saveDir;  // where finished games are written, when set
  bool checks = true;
  std::int64_t seed = 0;  // the clock's first second; 0 takes the time of day
  std::string dictionary;
  std::string simpleWords;
  int threads = 0;  // games played side by side; 0: one a core, one at the champion's level
};

class GameEngine;
class ScriptedWindow;

// The human's turn in a game without a person: chosen by the search at a level value as the
// computer's would be (a champion given the engine's own time or play-outs), and submitted
// through the human's own path (a change of the whole rack, or a pass, when there is nothing to
// lay).
double HumanTurn(GameEngine& engine, ScriptedWindow& window, int levelValue);

struct SelfPlaySummary {
  int invariantFailures = 0;
  bool saved = true;  // false when a game could not be written to the save folder
};

// Plays whole games in which the computer's search also chooses the human's moves, submitted
// through the human's own path; checks the game's invariants after every turn. Prints a line a
// game and a summary. The save folder must exist; a game that cannot be written there is
// reported with the system's reason and ends the run. Games are played side by side, each with
// an engine of its own; each game's deal depends only on the seed and the game's number, and
// the games are printed in order, so the threads change nothing that is printed but the time.
SelfPlaySummary RunSelfPlay(const SelfPlayOptions& options);

// How many games RunSelfPlay plays at once.
int SelfPlayThreads(const SelfPlayOptions& options);

}  // namespace lumiquad
