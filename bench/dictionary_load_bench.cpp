// Time and peak memory to load the main word list.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include "settings/program_paths.h"
#include "words/word_list.h"

namespace lumiquad {
namespace {

long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Bytes the heap has handed out and not yet taken back.
double HeapInUse() { return static_cast<double>(mallinfo2().uordblks + mallinfo2().hblkhd); }

long CountNodes(const TrieNode& root) {
  long count = 0;
  std::vector<const TrieNode*> pending{&root};
  while (!pending.empty()) {
    const TrieNode* node = pending.back();
    pending.pop_back();
    ++count;
    for (int i = 0; i < node->ChildCount(); ++i) pending.push_back(&node->Child(i));
  }
  return count;
}

void BM_LoadDictionary(benchmark::State& state) {
  const std::string path = DataFilePath("dictionary.txt");
  long nodes = 0;
  for (auto _ : state) {
    WordList list = LoadWordList(path);
    benchmark::DoNotOptimize(list.Root().ChildCount());
    state.PauseTiming();
    nodes = CountNodes(list.Root());
    state.ResumeTiming();
  }
  // The memory one loaded list holds, measured outside the timed loop.
  const double before = HeapInUse();
  WordList kept = LoadWordList(path);
  const double held = HeapInUse() - before;
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["list_MiB"] = held / (1024.0 * 1024.0);
  state.counters["peak_rss_MiB"] = static_cast<double>(PeakResidentKilobytes()) / 1024.0;
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumiquad

BENCHMARK_MAIN();
