#include "tools/cli/match.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "ai/champion.h"
#include "game/game_engine.h"
#include "game/scripted_window.h"
#include "settings/file_io.h"
#include "tools/cli/progress.h"
#include "tools/cli/selfplay.h"

namespace lumiquad {

namespace {

constexpr const char* kLevelNames[] = {"genius",       "master", "brilliant", "excellent",
                                       "advanced",     "wordy",  "very good", "good",
                                       "intermediate", "learner"};

std::string LevelName(int value) {
  if (value == kChampionLevel) return "champion";
  return value >= 1 && value <= 10 ? kLevelNames[value - 1] : "level " + std::to_string(value);
}

// What one side did over the match.
struct Side {
  std::vector<double> pairWins;     // each pair's share of the two games won (a draw is half)
  std::vector<double> pairSpreads;  // each pair's mean spread for this side
  long bingos = 0;
  long exchanges = 0;
  long turns = 0;
  double seconds = 0;
  std::vector<double> turnSeconds;  // each choice's own time
  // Points scored with 7 tiles or more in the bag, with 1 to 6, and with none.
  std::array<double, 3> pointsByBag{};
};

// The median and the largest of the times, in milliseconds.
std::pair<double, double> MedianAndMost(std::vector<double> seconds) {
  if (seconds.empty()) return {0, 0};
  const auto middle = seconds.begin() + static_cast<std::ptrdiff_t>(seconds.size() / 2);
  std::nth_element(seconds.begin(), middle, seconds.end());
  return {1000 * *middle, 1000 * *std::max_element(seconds.begin(), seconds.end())};
}

// A mean and the half-width of its 95% interval.
std::pair<double, double> MeanAndInterval(const std::vector<double>& values) {
  const double n = static_cast<double>(values.size());
  if (n == 0) return {0, 0};
  double sum = 0;
  for (double value : values) sum += value;
  const double mean = sum / n;
  double squares = 0;
  for (double value : values) squares += (value - mean) * (value - mean);
  const double deviation = n > 1 ? std::sqrt(squares / (n - 1)) : 0;
  return {mean, 1.96 * deviation / std::sqrt(n)};
}

constexpr std::string_view kRecordsHeader = "lumiquad match pairs 1";

// A number of a records line, the whole text.
bool ParseValue(std::string_view text, double& value) {
  const auto [end, failed] = std::from_chars(text.data(), text.data() + text.size(), value);
  return failed == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

}  // namespace

std::string PairRecordsText(const PairRecords& records) {
  std::string text(kRecordsHeader);
  text += "\nseed " + std::to_string(records.seed) + " type " +
          std::string(GameTypeName(records.type)) + "\n";
  char line[64];
  for (std::size_t i = 0; i < records.spreads.size() && i < records.wins.size(); ++i) {
    std::snprintf(line, sizeof line, "%.17g %.17g\n", records.spreads[i], records.wins[i]);
    text += line;
  }
  return text;
}

std::optional<PairRecords> ParsePairRecords(std::string_view text, std::string* error) {
  PairRecords records;
  int number = 0;
  auto fail = [&](const std::string& reason) -> std::optional<PairRecords> {
    if (error != nullptr) *error = "line " + std::to_string(number) + ": " + reason;
    return std::nullopt;
  };
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    ++number;
    if (number == 1) {
      if (line != kRecordsHeader) return fail("not a match's pairs");
      continue;
    }
    const std::size_t space = line.find(' ');
    const std::string_view first = line.substr(0, space);
    const std::string_view rest =
        space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    if (number == 2) {
      const std::size_t typeAt = rest.find(" type ");
      long long seed = 0;
      const std::string_view seedText = rest.substr(0, typeAt);
      const auto [seedEnd, failed] =
          std::from_chars(seedText.data(), seedText.data() + seedText.size(), seed);
      const std::optional<GameType> type =
          typeAt == std::string_view::npos ? std::nullopt : ParseGameType(rest.substr(typeAt + 6));
      if (first != "seed" || failed != std::errc() ||
          seedEnd != seedText.data() + seedText.size() || !type) {
        return fail("expected the seed and the game type");
      }
      records.seed = seed;
      records.type = *type;
      continue;
    }
    double spread = 0;
    double wins = 0;
    if (!ParseValue(first, spread) || !ParseValue(rest, wins) || wins < 0 || wins > 1 ||
        std::abs(spread) > 10000) {
      return fail("expected a spread and a share of the games won");
    }
    records.spreads.push_back(spread);
    records.wins.push_back(wins);
  }
  if (number < 2) return fail("the seed and the game type are missing");
  return records;
}

std::optional<int> ParseLevel(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  for (int value = 1; value <= 10; ++value) {
    if (lower == kLevelNames[value - 1]) return value;
  }
  if (lower == "50") return 50;
  if (lower == "champion") return kChampionLevel;
  if (lower.size() == 1 && lower[0] >= '1' && lower[0] <= '9') return lower[0] - '0';
  if (lower == "10") return 10;
  return std::nullopt;
}

namespace {

// What a pair of games gave each side, A then B; stalled when a game did not end.
struct PairOutcome {
  Side sides[2];
  bool stalled = false;
};

// A player of pairs with an engine of its own, so that pairs can be played side by side.
class PairPlayer {
 public:
  PairPlayer(const MatchOptions& options, const SharedWordLists& words)
      : options_(options),
        clock_(options.seed),
        moveConfig_(store_),
        engine_(store_, clock_, moveConfig_, window_, words) {
    engine_.ChooseGameType(options.type);
  }

  PairOutcome Play(int pair) {
    using Clock = std::chrono::steady_clock;
    PairOutcome outcome;
    Side* sides = outcome.sides;
    double wins[2] = {0, 0};
    double spread = 0;
    for (int game = 0; game < 2; ++game) {
      // The same second for both games of a pair: the same deal and first seat.
      clock_.Set(options_.seed + std::int64_t{pair} * 1000);
      // Game 0: A in the human's seat; game 1: the seats swapped.
      const int humanSide = game;
      const int level[2] = {options_.levelA, options_.levelB};
      engine_.SetLevel(level[1 - humanSide]);
      engine_.SetChampionBudget(options_.championMs);
      engine_.SetChampionPlayouts(options_.championPlayouts);
      engine_.NewGame();
      for (int turn = 0; engine_.State() == GameState::Playing; ++turn) {
        if (turn >= 300) {
          outcome.stalled = true;
          return outcome;
        }
        clock_.Set(clock_.Seconds() + 1);
        const std::size_t before = engine_.History().size();
        // The human's seat's thinking, then the computer's seat's reply.
        const auto start = Clock::now();
        const double thinking = HumanTurn(engine_, window_, level[humanSide]);
        const double whole = std::chrono::duration<double>(Clock::now() - start).count();
        sides[humanSide].seconds += thinking;
        sides[1 - humanSide].seconds += whole - thinking;
        sides[humanSide].turnSeconds.push_back(thinking);
        // The computer's seat replied unless the human's seat ended the game.
        if (engine_.History().size() >= before + 2) {
          sides[1 - humanSide].turnSeconds.push_back(whole - thinking);
        }
        if (engine_.History().size() == before) {
          outcome.stalled = true;
          return outcome;
        }
      }
      for (const MoveRecord& record : engine_.History()) {
        const Move& move = record.move;
        Side& side = sides[move.moverIndex == 0 ? humanSide : 1 - humanSide];
        ++side.turns;
        const std::size_t bag = record.bagLetters.size();
        if (!move.invalid) side.pointsByBag[bag >= kRackSize ? 0 : bag > 0 ? 1 : 2] += move.total;
        if (move.isExchange) ++side.exchanges;
        if (!move.isPass && !move.isExchange && !move.invalid &&
            move.placedLetters.size() >= static_cast<std::size_t>(kRackSize)) {
          ++side.bingos;
        }
      }
      const int score[2] = {humanSide == 0 ? engine_.Human().score : engine_.Computer().score,
                            humanSide == 0 ? engine_.Computer().score : engine_.Human().score};
      const double result = score[0] > score[1] ? 1 : score[0] < score[1] ? 0 : 0.5;
      wins[0] += result;
      wins[1] += 1 - result;
      spread += score[0] - score[1];
    }
    sides[0].pairWins.push_back(wins[0] / 2);
    sides[1].pairWins.push_back(wins[1] / 2);
    sides[0].pairSpreads.push_back(spread / 2);
    sides[1].pairSpreads.push_back(-spread / 2);
    return outcome;
  }

 private:
  const MatchOptions& options_;
  MemorySettingsStore store_;
  FixedClock clock_;
  CMoveRegConfig moveConfig_;
  ScriptedWindow window_;
  GameEngine engine_;
};

void Add(Side& total, const Side& pair) {
  total.pairWins.insert(total.pairWins.end(), pair.pairWins.begin(), pair.pairWins.end());
  total.pairSpreads.insert(total.pairSpreads.end(), pair.pairSpreads.begin(),
                           pair.pairSpreads.end());
  total.bingos += pair.bingos;
  total.exchanges += pair.exchanges;
  total.turns += pair.turns;
  for (std::size_t i = 0; i < total.pointsByBag.size(); ++i)
    total.pointsByBag[i] += pair.pointsByBag[i];
  total.seconds += pair.seconds;
  total.turnSeconds.insert(total.turnSeconds.end(), pair.turnSeconds.begin(),
                           pair.turnSeconds.end());
}

}  // namespace

int MatchThreads(const MatchOptions& options) {
  int threads = options.threads;
  if (threads <= 0) {
    // A champion that plays its choices out uses every core itself.
    const bool thinks = (options.championMs > 0 || options.championPlayouts > 0) &&
                        (options.levelA == kChampionLevel || options.levelB == kChampionLevel);
    threads = thinks ? 1 : MachineThreads();
  }
  return std::clamp(threads, 1, std::max(1, options.pairs));
}

bool RunMatch(const MatchOptions& options) {
  // Pairs are handed out in order and counted in order, up to the first that stalls.
  std::mutex mutex;
  std::vector<std::optional<PairOutcome>> outcomes(static_cast<std::size_t>(options.pairs));
  int nextPair = 0;
  int done = 0;
  bool stalled = false;
  ShowProgress(0, options.pairs, "pairs");
  // One copy of the word lists for every player.
  const SharedWordLists words = LoadSharedWordLists(options.dictionary, options.simpleWords);
  auto work = [&] {
    PairPlayer player(options, words);
    for (;;) {
      int pair = 0;
      {
        const std::lock_guard lock(mutex);
        if (stalled || nextPair >= options.pairs) return;
        pair = nextPair++;
      }
      PairOutcome outcome = player.Play(pair);
      const std::lock_guard lock(mutex);
      stalled = stalled || outcome.stalled;
      outcomes[static_cast<std::size_t>(pair)] = std::move(outcome);
      ShowProgress(++done, options.pairs, "pairs");
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < MatchThreads(options); ++t) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();

  Side sides[2];  // A, B
  for (const std::optional<PairOutcome>& outcome : outcomes) {
    if (!outcome || outcome->stalled) break;
    for (int s = 0; s < 2; ++s) Add(sides[s], outcome->sides[s]);
  }
  const double games = 2.0 * static_cast<double>(sides[0].pairWins.size());
  std::printf("match %s against %s: %zu pairs on the %s board\n", LevelName(options.levelA).c_str(),
              LevelName(options.levelB).c_str(), sides[0].pairWins.size(),
              std::string(GameTypeName(options.type)).c_str());
  for (int s = 0; s < 2; ++s) {
    const Side& side = sides[s];
    const auto [win, winInterval] = MeanAndInterval(side.pairWins);
    const auto [spread, spreadInterval] = MeanAndInterval(side.pairSpreads);
    const auto [median, most] = MedianAndMost(side.turnSeconds);
    std::printf(
        "%c %-12s wins %5.1f%% +- %4.1f  spread %+7.1f +- %5.1f a game  bingos %.2f  "
        "exchanges %.2f a game  %.2f ms a turn (median %.2f, most %.2f)\n",
        s == 0 ? 'A' : 'B', LevelName(s == 0 ? options.levelA : options.levelB).c_str(), 100 * win,
        100 * winInterval, spread, spreadInterval,
        games > 0 ? static_cast<double>(side.bingos) / games : 0.0,
        games > 0 ? static_cast<double>(side.exchanges) / games : 0.0,
        side.turns > 0 ? 1000 * side.seconds / static_cast<double>(side.turns) : 0.0, median, most);
  }
  auto lead = [&](std::size_t phase) {
    return games > 0 ? (sides[0].pointsByBag[phase] - sides[1].pointsByBag[phase]) / games : 0.0;
  };
  std::printf(
      "A's lead a game by the bag: %+.1f with 7 tiles or more, %+.1f with 1 to 6, %+.1f "
      "with none\n",
      lead(0), lead(1), lead(2));
  bool written = true;
  if (!options.pairsOut.empty()) {
    const PairRecords records{options.seed, options.type, sides[0].pairSpreads, sides[0].pairWins};
    const FileWriteResult result = WriteFileAtomically(options.pairsOut, PairRecordsText(records));
    if (!result.ok) {
      std::fprintf(stderr, "lumiquad-cli: cannot write %s: %s\n", options.pairsOut.c_str(),
                   result.error.c_str());
      written = false;
    }
  }
  if (options.compareTo) {
    // The same deals, pair by pair: what A gained over the A of the other run.
    const PairRecords& other = *options.compareTo;
    const std::size_t n = std::min(sides[0].pairSpreads.size(), other.spreads.size());
    std::vector<double> spreads(n);
    std::vector<double> wins(n);
    int alike = 0;
    for (std::size_t i = 0; i < n; ++i) {
      spreads[i] = sides[0].pairSpreads[i] - other.spreads[i];
      wins[i] = sides[0].pairWins[i] - other.wins[i];
      if (spreads[i] == 0 && wins[i] == 0) ++alike;
    }
    const auto [spread, spreadInterval] = MeanAndInterval(spreads);
    const auto [win, winInterval] = MeanAndInterval(wins);
    std::printf(
        "A against the other run's A over the same %zu pairs: spread %+.1f +- %.1f a game, "
        "wins %+.1f%% +- %.1f; %d pairs played alike\n",
        n, spread, spreadInterval, 100 * win, 100 * winInterval, alike);
  }
  if (stalled) std::fprintf(stderr, "lumiquad-cli: a game of the match did not end\n");
  return !stalled && written;
}

}  // namespace lumiquad
