#include "tools/cli/selfplay.h"

#include "ai/champion.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

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

bool PlacesTiles(const Move& move) { return !move.isPass && !move.isExchange && !move.invalid; }

// The checks made after every turn; each failure is printed and counted.
class InvariantChecker {
 public:
  InvariantChecker(SettingsStore& store, const Clock& clock, CMoveRegConfig& moveConfig,
                   const SelfPlayOptions& options)
      : reloaded_(store, clock, moveConfig, window_, options.dictionary, options.simpleWords) {}

  int Check(GameEngine& engine, const std::string& dealt, int game, int turn) {
    int failures = 0;
    auto fail = [&](const std::string& what) {
      std::printf("game %d turn %d: %s\n", game, turn, what.c_str());
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

double HumanTurn(GameEngine& engine, ScriptedWindow& window, int levelValue, int championMs) {
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
    options.budget = std::chrono::milliseconds(championMs);
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
  if (move.mainWord != kNoMoveWord && !analysis.Ranked().empty() && move.total > 0) {
    engine.Submit(TilesOf(engine, move, window));
  } else if (engine.GetBag().Size() >= static_cast<int>(engine.Human().rack.size())) {
    engine.Change(engine.Human().rack);
  } else {
    engine.Pass();
  }
  return seconds;
}

SelfPlaySummary RunSelfPlay(const SelfPlayOptions& options) {
  const auto start = std::chrono::steady_clock::now();
  MemorySettingsStore store;
  FixedClock clock(options.seed != 0 ? options.seed
                                     : static_cast<std::int64_t>(std::time(nullptr)));
  CMoveRegConfig moveConfig(store);
  ScriptedWindow window;
  GameEngine engine(store, clock, moveConfig, window, options.dictionary, options.simpleWords);
  engine.ChooseGameType(options.type);
  engine.SetLevel(options.levelValue);
  std::optional<InvariantChecker> checker;
  if (options.checks) checker.emplace(store, clock, moveConfig, options);

  long moves = 0;
  int failures = 0;
  int played = 0;
  bool saved = true;
  for (int game = 1; game <= options.games && saved; ++game) {
    ++played;
    clock.Set(clock.Seconds() + 1);
    engine.NewGame();
    const std::string dealt =
        Sorted(LetterString(engine.GetBag().Frequencies()) + std::string(2, '?'));
    int gameFailures = 0;
    int turn = 0;
    for (; engine.State() == GameState::Playing && turn < 200; ++turn) {
      clock.Set(clock.Seconds() + 1);
      const std::size_t before = engine.History().size();
      HumanTurn(engine, window, options.levelValue);
      if (engine.History().size() == before) {
        std::printf("game %d turn %d: the human's turn was not taken\n", game, turn);
        ++gameFailures;
        break;
      }
      if (engine.History()[before].move.invalid) {
        std::printf("game %d turn %d: the search's move was challenged\n", game, turn);
        ++gameFailures;
      }
      if (checker) gameFailures += checker->Check(engine, dealt, game, turn);
    }
    moves += static_cast<long>(engine.History().size());
    failures += gameFailures;
    const int human = engine.Human().score;
    const int computer = engine.Computer().score;
    std::printf("game %d: moves=%zu human=%d computer=%d %s invariant_failures=%d\n", game,
                engine.History().size(), human, computer,
                human > computer   ? "human wins"
                : human < computer ? "computer wins"
                                   : "draw",
                gameFailures);
    if (!options.saveDir.empty()) {
      const std::string path = options.saveDir + "/game-" + std::to_string(game) + ".lqg";
      const FileWriteResult written = WriteFileAtomically(path, engine.GameText());
      if (!written.ok) {
        std::fprintf(stderr, "lumiquad-cli: could not write %s: %s\n", path.c_str(),
                     written.error.c_str());
        saved = false;
      }
    }
    std::fflush(stdout);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("summary games=%d moves=%ld invariant_failures=%d seconds=%.1f\n", played, moves,
              failures, seconds);
  return {failures, saved};
}

}  // namespace lumiquad
