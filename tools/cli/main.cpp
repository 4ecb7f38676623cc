// lumiquad-cli: the game without a window, for scripts and quick checks.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "model/board.h"
#include "model/layouts.h"
#include "settings/program_paths.h"
#include "settings/settings_store.h"
#include "words/word_list.h"

namespace lumiquad {
namespace {

constexpr const char* kUsage =
    "usage: lumiquad-cli board [--type Lumiquad|Scrabble|Literati]\n"
    "       lumiquad-cli check [--dictionary FILE] WORD...\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

// Prints a board layout with the row letters and column numbers the player sees.
int PrintBoard(const std::vector<std::string_view>& args) {
  GameType type = GameType::Lumiquad;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--type" && i + 1 < args.size()) {
      std::optional<GameType> parsed = ParseGameType(args[++i]);
      if (!parsed) {
        std::fprintf(stderr, "unknown game type: %.*s\n", static_cast<int>(args[i].size()),
                     args[i].data());
        return 2;
      }
      type = *parsed;
    } else {
      return Usage();
    }
  }
  // Built from the tables alone: the user's settings are neither read nor written.
  MemorySettingsStore store;
  Board board(store, nullptr);
  board.LayBuiltIn(type);
  std::printf("   ");
  for (int c = 1; c <= board.ColumnCount(); ++c) std::printf("%3d", c);
  std::printf("\n");
  for (int r = 0; r < board.RowCount(); ++r) {
    std::printf("%c  ", 'A' + r);
    for (int c = 0; c < board.ColumnCount(); ++c) {
      std::printf("  %c", board.SquareAt(r, c)->character);
    }
    std::printf("\n");
  }
  return 0;
}

// Looks words up in a word list; exits 1 when any is missing.
int CheckWords(const std::vector<std::string_view>& args) {
  std::string path = DataFilePath("dictionary.txt");
  std::vector<std::string_view> words;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--dictionary" && i + 1 < args.size()) {
      path = std::string(args[++i]);
    } else {
      words.push_back(args[i]);
    }
  }
  if (words.empty()) return Usage();
  WordList list = LoadWordList(path);
  bool allFound = true;
  for (std::string_view word : words) {
    bool found = list.ContainsWord(word);
    allFound = allFound && found;
    std::printf("%.*s: %s\n", static_cast<int>(word.size()), word.data(),
                found ? "a word" : "not in the list");
  }
  return allFound ? 0 : 1;
}

}  // namespace
}  // namespace lumiquad

int main(int argc, char** argv) {
  if (argc < 2) return lumiquad::Usage();
  const std::string_view command = argv[1];
  std::vector<std::string_view> args(argv + 2, argv + argc);
  if (command == "board") return lumiquad::PrintBoard(args);
  if (command == "check") return lumiquad::CheckWords(args);
  return lumiquad::Usage();
}
