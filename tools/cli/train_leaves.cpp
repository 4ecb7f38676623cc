#include "tools/cli/train_leaves.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <thread>
#include <vector>

#include "ai/candidates.h"
#include "ai/champion.h"
#include "ai/leave_table.h"
#include "ai/move_generator.h"
#include "ai/rack_leaves.h"
#include "ai/scratch_board.h"
#include "game/type_table.h"
#include "settings/file_io.h"
#include "tools/cli/progress.h"
#include "words/word_list.h"

namespace lumiquad {

namespace {

// A kept leave, what its keeper scored on its next turn, and what it kept then while the bag
// still held seven tiles or more.
struct Sample {
  std::array<std::int8_t, 6> tiles{};
  int count = 0;
  double next = 0;
  std::array<std::int8_t, 7> nextTiles{};
  int nextCount = -1;  // none kept that counts
};

// The value of a leave in the table.
double ValueOf(const LeaveTable& table, const std::int8_t* tiles, int count) {
  return table.PairsValue(tiles, count) + table.Whole(tiles, count);
}

// What whole leaves showed beyond their tiles and pairs: the sum and the count, by leave.
using WholeSums = std::map<std::uint32_t, std::pair<double, long>>;

// A whole leave's learnt worth is its mean, drawn towards nothing as if it had been seen this
// many more times showing nothing: what a keeper scores next varies by some 25 points, far more
// than a leave adds, so a few hundred sightings say little. Those seen fewer times than the
// fewest, and worths too small to matter, are left out of the file.
constexpr double kPriorTimes = 200;
constexpr long kFewestTimes = 100;
constexpr double kSmallestWorth = 0.25;

std::string Draw(std::string& rack, std::string& bag) {
  std::string drawn;
  while (rack.size() < 7 && !bag.empty()) {
    rack += bag.back();
    drawn += bag.back();
    bag.pop_back();
  }
  return drawn;
}

// One game of the champion's static choice on both sides; the samples of its leaves.
void PlayGame(const TypeTable& type, const std::string& tiles, const LeaveTable& table,
              std::uint64_t seed, std::vector<Sample>& samples) {
  std::mt19937_64 random(seed);
  ScratchBoard scratch(type.board);
  Board& board = scratch.Get();
  std::string bag = tiles;
  std::shuffle(bag.begin(), bag.end(), random);
  std::string racks[2];
  Draw(racks[0], bag);
  Draw(racks[1], bag);
  const int bonus = type.moveConfig.GetBonus();
  RackLeaves leaves;
  Candidates best;
  std::vector<double> equities;
  // Each side's last kept leave waiting for its next score.
  std::optional<Sample> waiting[2];
  int scoreless = 0;
  auto value = [&](std::string_view leave) { return table.Value(leave); };
  for (int turn = 0; turn < 100 && scoreless < 6; ++turn) {
    const int side = turn % 2;
    std::string& rack = racks[side];
    const bool midGame = bag.size() >= 7;
    leaves.Build(rack, value);
    MarkCentreAnchor(board);
    FindBestCandidates(board, rack, bonus, leaves, 1, best, equities);
    std::string keep;
    std::string exchange;
    double exchangeValue = 0;
    const bool canExchange = midGame && leaves.BestExchange(keep, exchange, exchangeValue);
    int score = 0;
    std::string left;
    if (!best.Empty() && (!canExchange || equities.front() >= exchangeValue)) {
      std::string tiles;
      scratch.Lay(best[0], &tiles);
      score = best[0].total;
      TakeTiles(rack, tiles);
      left = rack;
      Draw(rack, bag);
    } else if (canExchange) {
      left = keep;
      rack = keep;
      const std::string returned = exchange;
      Draw(rack, bag);
      for (char tile : returned) {
        bag.insert(bag.begin() + static_cast<std::ptrdiff_t>(random() % (bag.size() + 1)), tile);
      }
    } else {
      left = rack;
    }
    scoreless = score == 0 ? scoreless + 1 : 0;
    if (waiting[side]) {
      waiting[side]->next = score;
      if (midGame && left.size() <= 6) {
        Sample& sample = *waiting[side];
        sample.nextCount = 0;
        for (char tile : left) {
          const int index = LeaveTileIndex(tile);
          if (index >= 0) {
            sample.nextTiles[static_cast<std::size_t>(sample.nextCount++)] =
                static_cast<std::int8_t>(index);
          }
        }
      }
      samples.push_back(*waiting[side]);
      waiting[side].reset();
    }
    if (midGame && left.size() <= 6) {
      Sample sample;
      for (char tile : left) {
        const int index = LeaveTileIndex(tile);
        if (index >= 0)
          sample.tiles[static_cast<std::size_t>(sample.count++)] = static_cast<std::int8_t>(index);
      }
      waiting[side] = sample;
    }
    if (rack.empty() && bag.empty()) break;
  }
}

// The games `first` to `first + count - 1`, side by side, one a core; their samples in the order
// of the games, so that the threads never change what is learnt.
void PlayBatch(const TypeTable& type, const std::string& tiles, const LeaveTable& table,
               std::uint64_t seed, int first, int count, std::vector<Sample>& samples) {
  std::vector<std::vector<Sample>> byGame(static_cast<std::size_t>(count));
  std::atomic<int> next = 0;
  auto work = [&] {
    for (int game = next++; game < count; game = next++) {
      PlayGame(type, tiles, table, seed * 1'000'003 + static_cast<std::uint64_t>(first + game),
               byGame[static_cast<std::size_t>(game)]);
    }
  };
  std::vector<std::thread> helpers;
  for (int i = 1; i < std::min(MachineThreads(), count); ++i) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();
  samples.clear();
  for (const std::vector<Sample>& game : byGame) {
    samples.insert(samples.end(), game.begin(), game.end());
  }
}

// What each sample's keeper scored next and the worth of what it kept then, above the average.
std::vector<double> Targets(const LeaveTable& table, const std::vector<Sample>& samples) {
  std::vector<double> targets;
  targets.reserve(samples.size());
  double mean = 0;
  for (const Sample& sample : samples) {
    const double later = sample.nextCount >= 0 && table.Learnt()
                             ? ValueOf(table, sample.nextTiles.data(), sample.nextCount)
                             : 0.0;
    targets.push_back(sample.next + later);
    mean += targets.back();
  }
  if (!samples.empty()) mean /= static_cast<double>(samples.size());
  for (double& target : targets) target -= mean;
  return targets;
}

// Fits the table to the samples: each leave's tiles and pairs add up to what its keeper scored
// next and the worth of what it kept then (by the values so far), above the average; a few
// passes of gradient steps, started from the values so far.
void Fit(LeaveTable& table, const std::vector<Sample>& samples, std::uint64_t seed) {
  if (samples.empty()) return;
  const std::vector<double> targets = Targets(table, samples);
  std::vector<std::size_t> order(samples.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::mt19937_64 random(seed);
  constexpr double kRate = 0.002;
  constexpr double kShrink = 1e-5;
  for (int pass = 0; pass < 4; ++pass) {
    std::shuffle(order.begin(), order.end(), random);
    for (std::size_t i : order) {
      const Sample& sample = samples[i];
      const double predicted = ValueOf(table, sample.tiles.data(), sample.count);
      const double error = targets[i] - predicted;
      for (int a = 0; a < sample.count; ++a) {
        double& single = table.Single(sample.tiles[static_cast<std::size_t>(a)]);
        single += kRate * error - kShrink * single;
        for (int b = a + 1; b < sample.count; ++b) {
          double& pair = table.Pair(sample.tiles[static_cast<std::size_t>(a)],
                                    sample.tiles[static_cast<std::size_t>(b)]);
          pair += kRate * error - kShrink * pair;
        }
      }
    }
  }
}

// Adds what each leave of three tiles or more showed beyond its tiles and pairs.
void AddWholes(const LeaveTable& table, const std::vector<Sample>& samples, WholeSums& sums) {
  const std::vector<double> targets = Targets(table, samples);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const Sample& sample = samples[i];
    if (sample.count < 3) continue;
    auto& [sum, count] = sums[LeaveTable::KeyOf(sample.tiles.data(), sample.count)];
    sum += targets[i] - table.PairsValue(sample.tiles.data(), sample.count);
    ++count;
  }
}

std::string WholeSumsText(const WholeSums& sums) {
  std::string text;
  char line[96];
  for (const auto& [key, sum] : sums) {
    std::snprintf(line, sizeof line, "%u %.17g %ld\n", key, sum.first, sum.second);
    text += line;
  }
  return text;
}

bool ParseWholeSums(const std::string& text, WholeSums& sums) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    if (end == std::string::npos) return false;
    unsigned key = 0;
    double sum = 0;
    long count = 0;
    char rest = 0;
    const std::string line = text.substr(at, end - at);
    if (std::sscanf(line.c_str(), "%u %lf %ld %c", &key, &sum, &count, &rest) != 3 || count < 1 ||
        sum != sum) {
      return false;
    }
    sums[key] = {sum, count};
    at = end + 1;
  }
  return true;
}

void SetWholes(LeaveTable& table, const WholeSums& sums) {
  for (const auto& [key, sum] : sums) {
    if (sum.second < kFewestTimes) continue;
    const double worth = sum.first / (static_cast<double>(sum.second) + kPriorTimes);
    if (std::abs(worth) < kSmallestWorth) continue;
    std::array<std::int8_t, LeaveTable::kMostKept> tiles{};
    table.SetWhole(tiles.data(), LeaveTable::TilesOf(key, tiles.data()), worth);
  }
}

// Adds `scale` times the tiles' and pairs' values of `from` to those of `to`.
void AddValues(LeaveTable& from, double scale, LeaveTable& to) {
  for (int a = 0; a < LeaveTable::kTiles; ++a) {
    to.Single(a) += scale * from.Single(a);
    for (int b = a; b < LeaveTable::kTiles; ++b) to.Pair(a, b) += scale * from.Pair(a, b);
  }
}

std::string Header(const TrainOptions& options, int games) {
  char text[512];
  std::snprintf(text, sizeof text,
                "# learnt by lumiquad-cli train-leaves --type %s --games %d --whole-games %d "
                "--batch %d --seed %llu\n# games played %d\n",
                std::string(GameTypeName(options.type)).c_str(), options.games, options.wholeGames,
                options.batch, static_cast<unsigned long long>(options.seed), games);
  return text;
}

}  // namespace

bool TrainLeaves(const TrainOptions& options) {
  const WordList words = LoadMainWordList(options.dictionary);
  if (words.IsEmpty()) {
    std::fprintf(stderr, "lumiquad-cli: no words in %s\n", options.dictionary.c_str());
    return false;
  }
  // Made before the games side by side share the list, not by two of them at once.
  words.MakeSearchTables();
  TypeTable type(options.type, &words);
  type.board.LayBuiltIn(options.type);
  const std::string tiles = LetterString(type.bag.Frequencies()) + std::string(2, '?');
  LeaveTable table;  // the rating of the levels, until the first fit
  // The values after each batch of the second half of the pair games, summed: the values are
  // fitted to each batch's games anew and wander with them, and their mean wanders far less.
  LeaveTable sum;
  int summed = 0;
  WholeSums wholes;
  int done = 0;
  const int total = options.games + options.wholeGames;
  // A run that stopped goes on from its last batch: the games done, the table, after a line
  // "summed N" the sum of N batches' values, and what whole leaves showed so far after a line
  // "wholes".
  const std::string statePath = options.out + ".state";
  constexpr std::string_view kWholes = "wholes\n";
  constexpr std::string_view kSum = "summed ";
  if (const FileReadResult state = ReadFileLimited(statePath, 256 << 20);
      state.status == FileReadStatus::Ok) {
    const std::size_t line = state.contents.find('\n');
    const std::size_t split = state.contents.find(kWholes);
    const bool split_ok =
        split != std::string::npos && split > line && state.contents[split - 1] == '\n';
    // The sum, when there is one, between the values and the whole leaves.
    std::size_t valuesEnd = split;
    std::optional<LeaveTable> savedSum = LeaveTable();
    if (split_ok) {
      const std::size_t at = state.contents.rfind(kSum, split);
      if (at != std::string::npos && at > line && state.contents[at - 1] == '\n') {
        const std::size_t sumLine = state.contents.find('\n', at);
        valuesEnd = at;
        savedSum = std::sscanf(state.contents.c_str() + at + kSum.size(), "%d", &summed) == 1 &&
                           summed >= 0 && sumLine < split
                       ? LeaveTable::Parse(state.contents.substr(sumLine + 1, split - sumLine - 1))
                       : std::nullopt;
      }
    }
    std::optional<LeaveTable> saved =
        line == std::string::npos || !split_ok
            ? std::nullopt
            : LeaveTable::Parse(state.contents.substr(line + 1, valuesEnd - line - 1));
    if (!saved || !savedSum || std::sscanf(state.contents.c_str(), "%d", &done) != 1 || done < 0 ||
        done > total || !ParseWholeSums(state.contents.substr(split + kWholes.size()), wholes)) {
      std::fprintf(stderr, "lumiquad-cli: %s is damaged; remove it to start again\n",
                   statePath.c_str());
      return false;
    }
    table = *saved;
    sum = *savedSum;
  }
  ShowProgress(done, total, "games");
  std::vector<Sample> samples;
  while (done < total) {
    // The tiles and pairs first; then, with those fixed, the whole leaves.
    const bool learningPairs = done < options.games;
    const int batch = std::min(options.batch, (learningPairs ? options.games : total) - done);
    PlayBatch(type, tiles, table, options.seed, done, batch, samples);
    if (learningPairs) {
      Fit(table, samples, options.seed + static_cast<std::uint64_t>(done));
      table.SetLearnt(true);
      if (2 * done >= options.games) {
        AddValues(table, 1.0, sum);
        ++summed;
      }
      // The whole leaves are learnt over the mean.
      if (done + batch == options.games && summed > 0) {
        table = LeaveTable();
        AddValues(sum, 1.0 / summed, table);
        table.SetLearnt(true);
      }
    } else {
      AddWholes(table, samples, wholes);
    }
    done += batch;
    const FileWriteResult saved = WriteFileAtomically(
        statePath, std::to_string(done) + "\n" + table.Text() + std::string(kSum) +
                       std::to_string(summed) + "\n" + sum.Text() + std::string(kWholes) +
                       WholeSumsText(wholes));
    if (!saved.ok) {
      std::fprintf(stderr, "\nlumiquad-cli: could not write %s: %s\n", statePath.c_str(),
                   saved.error.c_str());
      return false;
    }
    ShowProgress(done, total, "games");
  }
  SetWholes(table, wholes);
  std::string text = table.Text();
  text.insert(text.find('\n') + 1, Header(options, done));
  const FileWriteResult written = WriteFileAtomically(options.out, text);
  if (!written.ok) {
    std::fprintf(stderr, "lumiquad-cli: could not write %s: %s\n", options.out.c_str(),
                 written.error.c_str());
    return false;
  }
  std::remove(statePath.c_str());
  return true;
}

}  // namespace lumiquad
