#include "game/recent_games.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "game/game_file.h"
#include "settings/file_io.h"

namespace lumiquad {

namespace {

// Earlier versions kept their one game under this name; it is listed with the others.
constexpr const char* kOldKeptGame = "last.lqg";
constexpr std::size_t kMaxGameFile = std::size_t{64} << 20;

bool IsKeptGameName(const std::string& name) {
  const bool numbered = name.size() > 9 && name.compare(0, 5, "game-") == 0 &&
                        name.compare(name.size() - 4, 4, ".lqg") == 0;
  return numbered || name == kOldKeptGame;
}

}  // namespace

std::vector<RecentGame> ListRecentGames(const std::string& folder) {
  std::vector<RecentGame> games;
  if (folder.empty()) return games;
  std::error_code error;
  for (std::filesystem::directory_iterator at(folder, error), end; !error && at != end;
       at.increment(error)) {
    const std::string name = at->path().filename().string();
    if (!IsKeptGameName(name)) continue;
    // Only regular files of our own: a link or anything else planted here is never read.
    struct stat info {};
    const std::string path = at->path().string();
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    games.push_back({path, static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 +
                               info.st_mtim.tv_nsec});
  }
  // Newest first; the name decides between games kept at the same moment.
  std::sort(games.begin(), games.end(), [](const RecentGame& a, const RecentGame& b) {
    return a.modified != b.modified ? a.modified > b.modified : a.path > b.path;
  });
  return games;
}

std::string NewRecentGamePath(const std::string& folder) {
  static std::atomic<unsigned> counter{0};
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  // The process and a counter keep two copies, or two games of one copy, apart.
  for (;;) {
    char unique[48];
    std::snprintf(unique, sizeof unique, "-%d-%04u.lqg", static_cast<int>(::getpid()), counter++);
    const std::string path = folder + "/game-" + stamp + unique;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return path;
  }
}

void PruneRecentGames(const std::string& folder, const std::string& keep) {
  PruneStaleTemporaries(folder, "game-", 600);
  const std::vector<RecentGame> games = ListRecentGames(folder);
  std::size_t kept = 0;
  for (const RecentGame& game : games) {
    if (game.path == keep || kept < kRecentGamesKept) {
      ++kept;
      continue;
    }
    ::unlink(game.path.c_str());
  }
}

std::string DescribeRecentGame(const RecentGame& game) {
  const auto seconds = static_cast<std::time_t>(game.modified / 1'000'000'000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char when[64];
  std::strftime(when, sizeof when, "%a %d %b %H:%M", &local);
  std::string text = when;
  const FileReadResult file = ReadFileLimited(game.path, kMaxGameFile, PathOwner::Program);
  if (const auto players = ParseGamePlayers(file.contents)) {
    const auto& [computer, human] = *players;
    text += "  " + human.name + " " + std::to_string(human.score) + ", " + computer.name + " " +
            std::to_string(computer.score);
  }
  return text;
}

}  // namespace lumiquad
