// Evaluations per second of the placement evaluator on a mid-game board.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/position_file.h"
#include "model/board.h"
#include "rules/evaluate_placement.h"
#include "settings/program_paths.h"
#include "words/word_list.h"

namespace lumiquad {
namespace {

void BM_EvaluatePlacement(benchmark::State& state) {
  static const WordList words = LoadWordList(DataFilePath("dictionary.txt"));
  MemorySettingsStore store;
  Board board(store, &words);
  LayPosition(board, MidGamePosition());
  // The word TEARS, one blank, from every square in both directions, as the search would try
  // candidates: a trial, with every word looked up.
  std::vector<Placement> placements;
  for (int direction = 0; direction < 2; ++direction) {
    for (int r = 0; r < kBoardSize; ++r) {
      for (int c = 0; c < kBoardSize; ++c) placements.push_back({"TEARS", r, c, direction, 2});
    }
  }
  const EvaluationOptions options{.checkWords = true, .trial = true, .bonus = 50};
  long valid = 0;
  for (auto _ : state) {
    for (const Placement& placement : placements) {
      Move move = EvaluatePlacement(board, placement, "TEARSXY", options);
      valid += move.invalid ? 0 : 1;
      benchmark::DoNotOptimize(move.total);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(placements.size()));
  state.counters["valid_per_pass"] =
      static_cast<double>(valid) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_EvaluatePlacement)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumiquad
