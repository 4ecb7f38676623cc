#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumiquad {

// The games kept for resuming: each running game has a file of its own in one folder, so that
// two copies of the program never keep their games in one place. The newest ten are kept.
struct RecentGame {
  std::string path;
  std::int64_t modified = 0;  // nanoseconds since the epoch
};

inline constexpr std::size_t kRecentGamesKept = 10;

// The kept games in `folder`, newest first: regular files named game-*.lqg, and last.lqg, where
// earlier versions kept their one game.
std::vector<RecentGame> ListRecentGames(const std::string& folder);

// A name in `folder` that no kept game has, for a game kept from now on.
std::string NewRecentGamePath(const std::string& folder);

// Removes all but the newest kRecentGamesKept games, never `keep` (the running game's own).
void PruneRecentGames(const std::string& folder, const std::string& keep);

// A line for a menu: when the game was kept, in local time, and the names and scores it holds.
std::string DescribeRecentGame(const RecentGame& game);

}  // namespace lumiquad
