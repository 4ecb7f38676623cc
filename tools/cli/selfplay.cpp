#include "tools/cli/selfplay.h"

#include "ai/champion.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <mutex>
#include <thread>

#include "ai/move_chooser.h"
#include "ai/move_generator.h"
#include "game/game_engine.h"
#include "game/scripted_window.h"
#include "model/presets.h"
#include "rules/evaluate_placement.h"
#include "settings/file_io.h"

namespace lumiquad {

namespace {

std::string Sorted(std::string tiles) {
  std::sort(tiles.begin(), tiles.end());
  return tiles;
}

// Every tile of the game: the bag, both racks and the board, a blank on the board as '?'.
std::string AllTiles(GameEngine& engine) {
  std::string tiles = engine.GetBag().GetContents() + engine.Human().rack + engine.Computer().rack;
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) {
      const Square& square = engine.GetBoard().Cell(r, c);
      if (square.HasTile()) tiles += square.blank ? '?' : square.character;
    }
  }
  return Sorted(tiles);
}

// A failure as the run prints it.
std::string FailureLine(int game, int turn, std::string_view what) {
  return "game " + std::to_string(game) + " turn " + std::to_string(turn) + ": " +
         std::string(what) + "\n";
}

bool PlacesTiles(const Move& move) { return !move.isPass && !move.isExchange && !move.invalid; }

// The checks made after every turn; each failure is printed and counted.
class InvariantChecker {
 public:
  InvariantChecker(SettingsStore& store, const Clock& clock, CMoveRegConfig& moveConfig,
                   const SharedWordLists& words)
      : reloaded_(store, clock, moveConfig, window_, words) {}

  // The failures are written to `out`.
  int Check(GameEngine& engine, const std::string& dealt, int game, int turn, std::string& out) {
    int failures = 0;
    auto fail = [&](const std::string& what) {
      out += FailureLine(game, turn, what);
      ++failures;
    };
    if (AllTiles(engine) != dealt) fail("the tiles are not those of the deal");
    int scores[2] = {0, 0};
    for (const MoveRecord& record : engine.History()) {
      if (PlacesTiles(record.move)) scores[record.move.moverIndex] += record.move.total;
    }
    if (scores[0] != engine.Human().score || scores[1] != engine.Computer().score) {
      fail("a score is not the sum of its moves");
    }
    if (!BoardMatchesReplay(engine)) fail("the board is not a replay of the history");
    const std::string text = engine.GameText();
    std::string why;
    if (!reloaded_.LoadGameText(text, &why)) {
      fail("the saved game does not load: " + why);
    } else if (reloaded_.GameText() != text) {
      fail("the reloaded game differs from the saved one");
    }
    return failures;
  }

 private:
  bool BoardMatchesReplay(GameEngine& engine) {
    MemorySettingsStore store;
    Board replay(store, nullptr);
    replay.SetLetterValues(engine.GetBoard().GetLetterValues());
    replay.LayLayout(engine.GetBoard().StartingLayout());
    replay.SaveSnapshot();
    for (const MoveRecord& record : engine.History()) {
      const Move& move = record.move;
      if (!PlacesTiles(move)) continue;
      replay.SetMover(move.moverIndex);
      const Placement placement{move.placedLetters, move.row,    move.column,
                                move.Direction(),   move.blank1, move.blank2};
      if (EvaluatePlacement(replay, placement, move.rackBefore, {.checkWords = false}).invalid) {
        return false;
      }
    }
    for (int r = 0; r < kBoardSize; ++r) {
      for (int c = 0; c < kBoardSize; ++c) {
        const Square& a = replay.Cell(r, c);
        const Square& b = engine.GetBoard().Cell(r, c);
        if (a.character != b.character || a.blank != b.blank ||
            (a.HasTile() && a.placedBy != b.placedBy)) {
          return false;
        }
      }
    }
    return true;
  }

  ScriptedWindow window_;
  GameEngine reloaded_;
};

// The tiles of a move as the human lays them with the mouse: on its squares, blanks as '?'
// and named when the game asks.
TurnTiles TilesOf(const GameEngine& engine, const Move& move, ScriptedWindow& window) {
  TurnTiles tiles;
  tiles.snapped = TilesOfMove(move, engine.GetBoard().Squares());
  for (TurnTile& tile : tiles.snapped) {
    if (!tile.blank) continue;
    window.blankLetters.push_back(tile.letter);
    tile.letter = '?';
  }
  return tiles;
}

}  // namespace

double HumanTurn(GameEngine& engine, ScriptedWindow& window, int levelValue) {
  const auto start = std::chrono::steady_clock::now();
  if (levelValue == kChampionLevel) {
    // What the human's seat knows: its rack, the scores, and the bag and the computer's rack
    // as one lot of unseen tiles.
    ChampionView view;
    view.board = &engine.GetBoard();
    view.rack = engine.Human().rack;
    view.unseen = engine.GetBag().GetContents() + engine.Computer().rack;
    view.bagSize = engine.GetBag().Size();
    view.score = engine.Human().score;
    view.opponentScore = engine.Computer().score;
    view.bonus = engine.Bonus();
    view.seed = engine.History().size() * 7919 + static_cast<std::uint64_t>(view.score);
    ChampionOptions options;
    // Thinking as the engine's own champion does.
    options.budget = std::chrono::milliseconds(engine.ChampionBudget());
    options.playouts = engine.ChampionPlayouts();
    options.leaves = engine.ChampionLeaves();
    const ChampionChoice choice = ChooseChampion(view, options);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (choice.kind == ChampionChoice::Kind::Place) {
      engine.Submit(TilesOf(engine, choice.move, window));
    } else if (choice.kind == ChampionChoice::Kind::Exchange &&
               engine.GetBag().Size() >= static_cast<int>(choice.exchange.size())) {
      engine.Change(choice.exchange);
    } else {
      engine.Pass();
    }
    return seconds;
  }
  // The engine's own analysis of the position, which the move then records.
  const MoveChooser& analysis = engine.HumanAnalysis();
  const Move move = analysis.ChooseMove(levelValue);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (move.mainWord != kNoMoveWord && analysis.RankedCount() > 0 && move.total > 0) {
    engine.Submit(TilesOf(engine, move, window));
  } else if (engine.GetBag().Size() >= static_cast<int>(engine.Human().rack.size())) {
    engine.Change(engine.Human().rack);
  } else {
    engine.Pass();
  }
  return seconds;
}

namespace {

// The seconds a game's clock counts up from: far enough apart that no game reaches the next one's
// (a game ends within 200 turns), so each game's deal depends on the seed and its number only,
// whichever player plays it and whenever.
constexpr std::int64_t kSecondsPerGame = 1000;

// What one game printed and counted.
struct GameOutcome {
  std::string text;
  long moves = 0;
  int failures = 0;
  bool saved = true;
};

// A player of whole games with an engine of its own, so that games can be played side by side.
class GamePlayer {
 public:
  GamePlayer(const SelfPlayOptions& options, const SharedWordLists& words)
      : options_(options),
        moveConfig_(store_),
        engine_(store_, clock_, moveConfig_, window_, words) {
    engine_.ChooseGameType(options.type);
    engine_.SetLevel(options.levelValue);
    if (options.checks) checker_.emplace(store_, clock_, moveConfig_, words);
  }

  GameOutcome Play(int game, std::int64_t firstSecond) {
    GameOutcome outcome;
    clock_.Set(firstSecond + std::int64_t{game - 1} * kSecondsPerGame + 1);
    engine_.NewGame();
    const std::string dealt =
        Sorted(LetterString(engine_.GetBag().Frequencies()) + std::string(2, '?'));
    auto line = [&](int turn, std::string_view what) {
      outcome.text += FailureLine(game, turn, what);
      ++outcome.failures;
    };
    for (int turn = 0; engine_.State() == GameState::Playing && turn < 200; ++turn) {
      clock_.Set(clock_.Seconds() + 1);
      const std::size_t before = engine_.History().size();
      HumanTurn(engine_, window_, options_.levelValue);
      if (engine_.History().size() == before) {
        line(turn, "the human's turn was not taken");
        break;
      }
      if (engine_.History()[before].move.invalid) line(turn, "the search's move was challenged");
      if (checker_) outcome.failures += checker_->Check(engine_, dealt, game, turn, outcome.text);
    }
    outcome.moves = static_cast<long>(engine_.History().size());
    const int human = engine_.Human().score;
    const int computer = engine_.Computer().score;
    char summary[160];
    std::snprintf(summary, sizeof summary,
                  "game %d: moves=%zu human=%d computer=%d %s invariant_failures=%d\n", game,
                  engine_.History().size(), human, computer,
                  human > computer   ? "human wins"
                  : human < computer ? "computer wins"
                                     : "draw",
                  outcome.failures);
    outcome.text += summary;
    if (!options_.saveDir.empty()) {
      const std::string path = options_.saveDir + "/game-" + std::to_string(game) + ".lqg";
      const FileWriteResult written = WriteFileAtomically(path, engine_.GameText());
      if (!written.ok) {
        std::fprintf(stderr, "lumiquad-cli: could not write %s: %s\n", path.c_str(),
                     written.error.c_str());
        outcome.saved = false;
      }
    }
    return outcome;
  }

 private:
  const SelfPlayOptions& options_;
  MemorySettingsStore store_;
  FixedClock clock_{0};
  CMoveRegConfig moveConfig_;
  ScriptedWindow window_;
  GameEngine engine_;
  std::optional<InvariantChecker> checker_;
};

}  // namespace

int SelfPlayThreads(const SelfPlayOptions& options) {
  int threads = options.threads;
  if (threads <= 0) {
    // The champion thinks on every core itself.
    threads = options.levelValue == kChampionLevel ? 1 : MachineThreads();
  }
  return std::clamp(threads, 1, std::max(1, options.games));
}

SelfPlaySummary RunSelfPlay(const SelfPlayOptions& options) {
  const auto start = std::chrono::steady_clock::now();
  const std::int64_t firstSecond =
      options.seed != 0 ? options.seed : static_cast<std::int64_t>(std::time(nullptr));

  // Games are handed out in order and printed in order, as each one and those before it end.
  std::mutex mutex;
  std::map<int, GameOutcome> finished;
  int nextGame = 1;
  int nextPrinted = 1;
  long moves = 0;
  int failures = 0;
  int played = 0;
  bool saved = true;
  // One copy of the word lists for every player.
  const SharedWordLists words = LoadSharedWordLists(options.dictionary, options.simpleWords);
  auto work = [&] {
    GamePlayer player(options, words);
    for (;;) {
      int game = 0;
      {
        const std::lock_guard lock(mutex);
        // A game that could not be saved ends the run: no game is begun after it.
        if (!saved || nextGame > options.games) return;
        game = nextGame++;
      }
      GameOutcome outcome = player.Play(game, firstSecond);
      const std::lock_guard lock(mutex);
      if (!outcome.saved) saved = false;
      finished.emplace(game, std::move(outcome));
      for (auto next = finished.find(nextPrinted); next != finished.end();
           next = finished.find(++nextPrinted)) {
        std::fputs(next->second.text.c_str(), stdout);
        std::fflush(stdout);
        moves += next->second.moves;
        failures += next->second.failures;
        ++played;
        finished.erase(next);
      }
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < SelfPlayThreads(options); ++t) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("summary games=%d moves=%ld invariant_failures=%d seconds=%.1f\n", played, moves,
              failures, seconds);
  return {failures, saved};
}

}  // namespace lumiquad
