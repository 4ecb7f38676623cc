// The player's help on a mid-game board: the preview of the tiles laid and the hint, with a
// rack of two blanks, the slowest case of both.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include "bench/position_file.h"
#include "game/game_engine.h"
#include "game/scripted_window.h"
#include "settings/program_paths.h"

namespace lumiquad {
namespace {

struct Game {
  Game() {
    engine =
        std::make_unique<GameEngine>(store, clock, moveConfig, window,
                                     DataFilePath("dictionary.txt"), DataFilePath("simple.dat"));
    engine->NewGame();
    // The position alone, whatever the computer opened with.
    engine->GetBoard().ResetBoard();
    const BenchPosition position = MidGamePosition();
    LayPosition(engine->GetBoard(), position);
    engine->Human().rack = position.rack;
  }
  MemorySettingsStore store;
  FixedClock clock{1'700'000'000};
  CMoveRegConfig moveConfig{store};
  ScriptedWindow window;
  std::unique_ptr<GameEngine> engine;
};

void BM_PreviewWithTwoUnnamedBlanks(benchmark::State& state) {
  Game game;
  // T, two blanks and R laid after HOUSE's E: every pair of letters is tried for the blanks.
  TurnTiles tiles;
  for (int c = 8; c < 12; ++c) {
    tiles.snapped.push_back(
        {7, c, c == 9 || c == 10 ? '?' : (c == 8 ? 'T' : 'R'), c == 9 || c == 10});
  }
  const TurnPreview preview = game.engine->PreviewTurn(tiles);
  if (preview.kind == TurnPreview::Kind::Refused) state.SkipWithError(preview.text.c_str());
  for (auto _ : state) benchmark::DoNotOptimize(game.engine->PreviewTurn(tiles).total);
}
BENCHMARK(BM_PreviewWithTwoUnnamedBlanks)->Unit(benchmark::kMillisecond);

void BM_HintWithTwoBlanks(benchmark::State& state) {
  Game game;
  // The engine keeps its analysis while the position stands: each hint here is for a rack in a
  // new order, which it has to search afresh.
  std::string& rack = game.engine->Human().rack;
  for (auto _ : state) {
    std::rotate(rack.begin(), rack.begin() + 1, rack.end());
    benchmark::DoNotOptimize(game.engine->BestMoveForHuman());
  }
}
BENCHMARK(BM_HintWithTwoBlanks)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumiquad
