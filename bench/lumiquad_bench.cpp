// lumiquad-bench: how long the computer takes over its turn, on a fixed set of positions.
//
//   lumiquad-bench [--dictionary FILE] [--type Lumiquad|Scrabble|Literati]
//                  [--positions FILE] [--repeat N]
//   lumiquad-bench --make-positions GAMES [--type T] [--dictionary FILE] > positions.txt
#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <random>
#include <string>
#include <vector>

#include "ai/move_chooser.h"
#include "ai/move_generator.h"
#include "ai/rack_leaves.h"
#include "ai/ratings.h"
#include "bench/position_file.h"
#include "model/bag.h"
#include "model/board.h"
#include "model/player.h"
#include "model/presets.h"
#include "rules/evaluate_placement.h"
#include "settings/file_io.h"
#include "settings/program_paths.h"
#include "words/word_list.h"

namespace lumiquad {
namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  std::string dictionary = DataFilePath("dictionary.txt");
  std::string positions = DataFilePath("positions.txt");
  GameType type = GameType::Lumiquad;
  int repeat = 9;
  int makeGames = 0;
};

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  if (values.empty()) return 0;
  std::size_t index =
      static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(index, values.size() - 1)];
}

// The game objects of one type, with nothing read from or written to the user's settings.
struct Table {
  Table(GameType type, const WordList& words)
      : clock(1'000'000),
        moveConfig(store),
        board(store, &words),
        bag(store, clock),
        human(store, false, bag),
        computer(store, true, bag) {
    ApplyGameType(type, board, bag, moveConfig);
    this->type = type;
  }

  void Lay(const BenchPosition& position, const std::string& unseen) {
    board.LayBuiltIn(type);
    LayPosition(board, position);
    bag.SetBagLetters(unseen, false);
    computer.rack = position.rack;
  }

  // One whole computer turn at "Genius", searching by bound or every move; returns the
  // candidates found.
  std::size_t Turn(const WordList* simple, bool bounded, double& generateMs, double& turnMs,
                   Move* chosen) {
    const auto start = Clock::now();
    MarkCentreAnchor(board);
    if (bounded) {
      FindTopCandidates(board, computer.rack, moveConfig.GetBonus(), kKeepCount + 1, candidates);
    } else {
      FindCandidates(board, computer.rack, moveConfig.GetBonus(), candidates);
    }
    const auto generated = Clock::now();
    MoveChooser chooser(candidates, kKeepCount, board, bag, computer, human, simple, false,
                        moveConfig.GetBonus());
    Move move = chooser.ChooseMove(1);
    const auto end = Clock::now();
    generateMs = Milliseconds(generated - start);
    turnMs = Milliseconds(end - start);
    if (chosen != nullptr) *chosen = std::move(move);
    return candidates.Size();
  }

  // The best move by score plus a leave value, as a player choosing by equity searches.
  double BestMove(bool bounded, Move* chosen) {
    const auto start = Clock::now();
    MarkCentreAnchor(board);
    leaves.Build(computer.rack, [](std::string_view leave) { return LeaveValue(leave, 1.0); });
    FindBestCandidates(board, computer.rack, moveConfig.GetBonus(), leaves, 1, best, equities,
                       bounded);
    const double ms = Milliseconds(Clock::now() - start);
    if (chosen != nullptr) *chosen = best.Empty() ? Move{} : best.ToMove(best[0]);
    return ms;
  }

  GameType type;
  MemorySettingsStore store;
  FixedClock clock;
  CMoveRegConfig moveConfig;
  Board board;
  Bag bag;
  Player human;
  Player computer;
  Candidates candidates;  // kept from turn to turn, as the game engine keeps its list
  Candidates best;
  std::vector<double> equities;
  RackLeaves leaves;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "lumiquad-bench: %s\n", message.c_str());
  return 1;
}

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (i + 1 >= argc) {
      error = "missing value after " + flag;
      return false;
    }
    const std::string value = argv[++i];
    if (flag == "--dictionary") {
      options.dictionary = value;
    } else if (flag == "--positions") {
      options.positions = value;
    } else if (flag == "--type") {
      std::optional<GameType> type = ParseGameType(value);
      if (!type) {
        error = "unknown game type " + value;
        return false;
      }
      options.type = *type;
    } else if (flag == "--repeat" || flag == "--make-positions") {
      constexpr int kMost = 100000;
      int number = 0;
      auto [end, failed] = std::from_chars(value.data(), value.data() + value.size(), number);
      if (failed != std::errc() || end != value.data() + value.size() || number < 1 ||
          number > kMost) {
        error = flag + " needs a whole number from 1 to " + std::to_string(kMost);
        return false;
      }
      (flag == "--repeat" ? options.repeat : options.makeGames) = number;
    } else {
      error = "unknown option " + flag;
      return false;
    }
  }
  return true;
}

// The tiles both sets hold (the fewer of each letter), so that every position fits every type.
std::string CommonTiles() {
  std::string tiles;
  for (int i = 0; i < kLetterCount; ++i) {
    const int count =
        std::min(FrequencyPresets()[0].counts[static_cast<std::size_t>(i)],
                 FrequencyPresets()[kScrabbleFrequencies].counts[static_cast<std::size_t>(i)]);
    tiles.append(static_cast<std::size_t>(count), static_cast<char>('A' + i));
  }
  return tiles;
}

// Lets the computer play itself (both sides at "Genius", with only the tiles both sets hold
// and no blanks, so every position fits every type and leaves both blanks free for the racks)
// and prints a mid-game and a late-game board of every game, each with a plain rack, a rack
// with one blank and a rack with two.
int MakePositions(const Options& options, const WordList& words) {
  std::vector<BenchPosition> positions;
  BenchPosition empty;
  empty.rows.assign(kBoardSize, std::string(kBoardSize, '.'));
  for (const char* rack : {"AEINRST", "AEINR??"}) {
    empty.rack = rack;
    positions.push_back(empty);
  }
  std::mt19937 random(20261206);
  for (int game = 0; game < options.makeGames; ++game) {
    Table table(options.type, words);
    table.clock.Set(1'700'000'000 + game * 977);
    table.bag.SetBagLetters(CommonTiles(), false);
    Player* players[2] = {&table.human, &table.computer};
    for (Player* player : players) player->NewRack();
    int passes = 0;
    for (int turn = 0; turn < 40 && passes < 4; ++turn) {
      table.clock.Set(table.clock.Seconds() + 1);
      Player& mover = *players[turn % 2];
      table.board.SetMover(turn % 2);
      MarkCentreAnchor(table.board);
      std::vector<Move> candidates =
          GenerateMoves(table.board, mover.rack, table.moveConfig.GetBonus());
      MoveChooser chooser(candidates, 200, table.board, table.bag, mover, *players[1 - turn % 2],
                          nullptr, false, table.moveConfig.GetBonus());
      Move move = chooser.ChooseMove(1);
      if (move.mainWord == kNoMoveWord || move.total <= 0) {
        ++passes;
        continue;
      }
      passes = 0;
      Placement placement{move.placedLetters, move.row,    move.column,
                          move.Direction(),   move.blank1, move.blank2};
      Move played = EvaluatePlacement(table.board, placement, move.rackBefore,
                                      {.checkWords = true, .bonus = table.moveConfig.GetBonus()});
      if (played.invalid) break;
      mover.PlayTiles(PlacedTiles(move), move.total);
      if (mover.rack.empty()) break;
      if (turn == 7 || turn == 15) {
        BenchPosition board;
        for (int r = 0; r < kBoardSize; ++r) {
          std::string row;
          for (int c = 0; c < kBoardSize; ++c) {
            const Square& square = table.board.Cell(r, c);
            row += !square.HasTile() ? '.'
                   : square.blank    ? static_cast<char>(square.character - 'A' + 'a')
                                     : square.character;
          }
          board.rows.push_back(row);
        }
        std::string unseen = CommonTiles();
        for (const std::string& row : board.rows) {
          for (char tile : row) {
            if (tile != '.') unseen.erase(unseen.find(tile), 1);
          }
        }
        std::shuffle(unseen.begin(), unseen.end(), random);
        for (int blanks = 0; blanks <= 2; ++blanks) {
          board.rack = unseen.substr(0, static_cast<std::size_t>(7 - blanks)) +
                       std::string(static_cast<std::size_t>(blanks), '?');
          positions.push_back(board);
        }
      }
    }
  }
  std::fputs(FormatPositions(positions).c_str(), stdout);
  return 0;
}

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int Run(int argc, char** argv) {
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, options, error)) return Fail(error);
  if (!CanReadFile(options.dictionary)) return Fail("cannot read " + options.dictionary);
  const auto loadStart = Clock::now();
  const WordList words = LoadMainWordList(options.dictionary);
  const double loadMs = Milliseconds(Clock::now() - loadStart);
  if (options.makeGames > 0) return MakePositions(options, words);

  const FileReadResult text = ReadFileLimited(options.positions, std::size_t{64} << 20);
  if (text.status != FileReadStatus::Ok) return Fail("cannot read " + options.positions);
  PositionFileResult file = ParsePositions(text.contents, options.positions);
  if (!file.error.empty()) return Fail(file.error);

  const std::string simplePath = DataFilePath("simple.dat");
  const WordList simple = CanReadFile(simplePath) ? LoadWordList(simplePath) : WordList();
  Table table(options.type, words);
  std::printf("word list %s loaded in %.1f ms; type %s; %zu positions, %d repeats\n",
              options.dictionary.c_str(), loadMs, std::string(GameTypeName(options.type)).c_str(),
              file.positions.size(), options.repeat);

  // Each figure by bound and over every move, in turn, so that both see the same machine.
  std::vector<double> turnMedians[2];
  std::vector<double> bestMedians[2];
  std::vector<double> ratios;
  double maxTurn[2] = {0, 0};
  double totalGenerate = 0;
  double totalCandidates = 0;
  for (std::size_t p = 0; p < file.positions.size(); ++p) {
    const BenchPosition& position = file.positions[p];
    std::optional<std::string> unseen = UnseenTiles(options.type, position, &error);
    if (!unseen) return Fail(options.positions + ": " + error);
    std::vector<double> generate;
    std::vector<double> turn[2];
    std::vector<double> best[2];
    std::size_t candidates = 0;
    Move chosen[2];
    Move bestMove[2];
    // The two kinds of search take turns, each first in every other round: a kind repeated in a
    // block of its own ran measurably slower or faster by where the block stood, whichever
    // kind it was.
    for (int r = 0; r < options.repeat; ++r) {
      for (const int bounded : {r % 2, 1 - r % 2}) {
        table.Lay(position, *unseen);
        double generateMs = 0;
        double turnMs = 0;
        const std::size_t found =
            table.Turn(&simple, bounded == 1, generateMs, turnMs, &chosen[bounded]);
        turn[bounded].push_back(turnMs);
        maxTurn[bounded] = std::max(maxTurn[bounded], turnMs);
        if (bounded == 0) {
          candidates = found;
          generate.push_back(generateMs);
          totalGenerate += generateMs;
          totalCandidates += static_cast<double>(found);
        }
      }
    }
    for (int r = 0; r < options.repeat; ++r) {
      for (const int bounded : {r % 2, 1 - r % 2}) {
        table.Lay(position, *unseen);
        best[bounded].push_back(table.BestMove(bounded == 1, &bestMove[bounded]));
      }
    }
    // Both ways must choose alike, or the figures mean nothing.
    if (DescribeMove(chosen[0], 0, false) != DescribeMove(chosen[1], 0, false) ||
        DescribeMove(bestMove[0], 0, false) != DescribeMove(bestMove[1], 0, false)) {
      return Fail("the search by bound chose otherwise at position " + std::to_string(p + 1));
    }
    for (int bounded = 0; bounded < 2; ++bounded) {
      turnMedians[bounded].push_back(Median(turn[bounded]));
      bestMedians[bounded].push_back(Median(best[bounded]));
    }
    ratios.push_back(Median(turn[1]) / Median(turn[0]));
    std::printf(
        "position %2zu (line %4d) rack %-7s candidates %6zu  generate %8.3f ms  turn %8.3f ms  "
        "bounded %8.3f ms  best move %7.3f ms  plays %s\n",
        p + 1, position.line, position.rack.c_str(), candidates, Median(generate), Median(turn[0]),
        Median(turn[1]), Median(best[1]), DescribeMove(chosen[1], 0, false).c_str());
  }
  std::printf("peak memory %.1f MiB\n", static_cast<double>(PeakKilobytes()) / 1024.0);
  std::printf(
      "summary positions=%zu median_turn_ms=%.3f p95_turn_ms=%.3f max_turn_ms=%.3f "
      "candidates_per_s=%.0f\n",
      file.positions.size(), Median(turnMedians[0]), Percentile(turnMedians[0], 0.95), maxTurn[0],
      totalGenerate > 0 ? totalCandidates / (totalGenerate / 1000.0) : 0.0);
  std::printf(
      "bounded  median_turn_ms=%.3f p95_turn_ms=%.3f max_turn_ms=%.3f "
      "median_ratio=%.3f max_ratio=%.3f\n",
      Median(turnMedians[1]), Percentile(turnMedians[1], 0.95), maxTurn[1], Median(ratios),
      *std::max_element(ratios.begin(), ratios.end()));
  std::printf("best_move median_ms=%.3f (every anchor %.3f) median_vs_turn=%.3f max_ms=%.3f\n",
              Median(bestMedians[1]), Median(bestMedians[0]),
              Median(turnMedians[0]) > 0 ? Median(bestMedians[1]) / Median(turnMedians[0]) : 0.0,
              *std::max_element(bestMedians[1].begin(), bestMedians[1].end()));
  return 0;
}

}  // namespace
}  // namespace lumiquad

int main(int argc, char** argv) {
  std::signal(SIGXFSZ, SIG_IGN);  // a write past a file-size limit fails instead of killing us
  try {
    return lumiquad::Run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "lumiquad-bench: %s\n", error.what());
    return 1;
  }
}
