#include "tools/cli/train_leaves.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "ai/candidates.h"
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
double ValueOf(LeaveTable& table, const std::int8_t* tiles, int count) {
  double value = 0;
  for (int a = 0; a < count; ++a) {
    value += table.Single(tiles[a]);
    for (int b = a + 1; b < count; ++b) value += table.Pair(tiles[a], tiles[b]);
  }
  return value;
}

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

// Fits the table to the samples: each leave's tiles and pairs add up to what its keeper scored
// next and the worth of what it kept then (by the values so far), above the average; a few
// passes of gradient steps, started from the values so far.
void Fit(LeaveTable& table, const std::vector<Sample>& samples, std::uint64_t seed) {
  if (samples.empty()) return;
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
  mean /= static_cast<double>(samples.size());
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
      const double error = (targets[i] - mean) - predicted;
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

std::string Header(const TrainOptions& options, int games) {
  char text[512];
  std::snprintf(text, sizeof text,
                "# learnt by lumiquad-cli train-leaves --type %s --games %d --batch %d --seed "
                "%llu\n# games played %d\n",
                std::string(GameTypeName(options.type)).c_str(), options.games, options.batch,
                static_cast<unsigned long long>(options.seed), games);
  return text;
}

}  // namespace

bool TrainLeaves(const TrainOptions& options) {
  const WordList words = LoadMainWordList(options.dictionary);
  if (words.IsEmpty()) {
    std::fprintf(stderr, "lumiquad-cli: no words in %s\n", options.dictionary.c_str());
    return false;
  }
  TypeTable type(options.type, &words);
  type.board.LayBuiltIn(options.type);
  const std::string tiles = LetterString(type.bag.Frequencies()) + std::string(2, '?');
  LeaveTable table;  // the rating of the levels, until the first fit
  int done = 0;
  // A run that stopped goes on from its last batch.
  const std::string statePath = options.out + ".state";
  if (const FileReadResult state = ReadFileLimited(statePath, 1 << 20);
      state.status == FileReadStatus::Ok) {
    const std::size_t line = state.contents.find('\n');
    std::string why;
    std::optional<LeaveTable> saved =
        line == std::string::npos ? std::nullopt
                                  : LeaveTable::Parse(state.contents.substr(line + 1), &why);
    if (!saved || std::sscanf(state.contents.c_str(), "%d", &done) != 1 || done < 0 ||
        done > options.games) {
      std::fprintf(stderr, "lumiquad-cli: %s is damaged; remove it to start again\n",
                   statePath.c_str());
      return false;
    }
    table = *saved;
  }
  ShowProgress(done, options.games, "games");
  std::vector<Sample> samples;
  while (done < options.games) {
    const int batch = std::min(options.batch, options.games - done);
    samples.clear();
    for (int game = 0; game < batch; ++game) {
      PlayGame(type, tiles, table,
               options.seed * 1'000'003 + static_cast<std::uint64_t>(done + game), samples);
    }
    Fit(table, samples, options.seed + static_cast<std::uint64_t>(done));
    table.SetLearnt(true);
    done += batch;
    const FileWriteResult saved =
        WriteFileAtomically(statePath, std::to_string(done) + "\n" + table.Text());
    if (!saved.ok) {
      std::fprintf(stderr, "\nlumiquad-cli: could not write %s: %s\n", statePath.c_str(),
                   saved.error.c_str());
      return false;
    }
    ShowProgress(done, options.games, "games");
  }
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
