// lumiquad-cli: the game without a window, for scripts and quick checks.
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "game/game_engine.h"
#include "game/scripted_window.h"
#include "model/board.h"
#include "model/layouts.h"
#include "settings/file_io.h"
#include "settings/program_paths.h"
#include "settings/settings_store.h"
#include "tools/cli/engine_mode.h"
#include "tools/cli/match.h"
#include "tools/cli/selfplay.h"
#include "tools/cli/train_leaves.h"
#include "words/gaddag_file.h"
#include "words/word_list.h"

namespace lumiquad {
namespace {

constexpr const char* kUsage =
    "usage: lumiquad-cli selfplay --games N [--level L] [--type Lumiquad|Scrabble|Literati]\n"
    "                             [--save-dir DIR] [--no-checks] [--seed SECONDS]\n"
    "                             [--dictionary FILE] [--threads N]\n"
    "       lumiquad-cli report GAME.lqg OUT.txt|- [--html]\n"
    "       lumiquad-cli export-gcg GAME.lqg OUT.gcg|-\n"
    "       lumiquad-cli board [--type Lumiquad|Scrabble|Literati]\n"
    "       lumiquad-cli check [--dictionary FILE] WORD...\n"
    "       lumiquad-cli import-gcg GAME.gcg OUT.lqg|-\n"
    "       lumiquad-cli match --a LEVEL --b LEVEL --pairs N [--type T] [--seed S] [--time MS]\n"
    "                          [--playouts N] [--dictionary FILE] [--threads N]\n"
    "                          [--pairs-out FILE] [--compare FILE]\n"
    "       lumiquad-cli train-leaves --out FILE [--type T] [--games N] [--whole-games N]\n"
    "                          [--batch N] [--seed S] [--dictionary FILE]\n"
    "       lumiquad-cli engine [--type T] [--dictionary FILE]\n"
    "       lumiquad-cli make-gaddag LIST.txt OUT.gaddag\n"
    "       lumiquad-cli --version\n";

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
    if (args[i] == "--dictionary") {
      if (i + 1 == args.size()) return Usage();
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

// A whole decimal number from low to high, nothing else.
bool ParseNumber(std::string_view text, long long low, long long high, long long& number);

int Engine(const std::vector<std::string_view>& args) {
  EngineOptions options;
  options.dictionary = DataFilePath("dictionary.txt");
  options.simpleWords = DataFilePath("simple.dat");
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage();
    if (args[i] == "--type" && ParseGameType(args[i + 1])) {
      options.type = *ParseGameType(args[i + 1]);
    } else if (args[i] == "--dictionary" && !args[i + 1].empty()) {
      options.dictionary = std::string(args[i + 1]);
    } else {
      return Usage();
    }
  }
  if (!CanReadFile(options.dictionary)) {
    std::fprintf(stderr, "lumiquad-cli: cannot read %s\n", options.dictionary.c_str());
    return 2;
  }
  RunEngine(std::cin, std::cout, options);
  return 0;
}

int TrainLeavesCommand(const std::vector<std::string_view>& args) {
  TrainOptions options;
  options.dictionary = DataFilePath("dictionary.txt");
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage();
    const std::string_view flag = args[i];
    const std::string_view value = args[i + 1];
    long long number = 0;
    if (flag == "--type" && ParseGameType(value)) {
      options.type = *ParseGameType(value);
    } else if (flag == "--games" && ParseNumber(value, 1, 10'000'000, number)) {
      options.games = static_cast<int>(number);
    } else if (flag == "--batch" && ParseNumber(value, 1, 1'000'000, number)) {
      options.batch = static_cast<int>(number);
    } else if (flag == "--whole-games" && ParseNumber(value, 0, 10'000'000, number)) {
      options.wholeGames = static_cast<int>(number);
    } else if (flag == "--seed" && ParseNumber(value, 1, 1'000'000'000'000, number)) {
      options.seed = static_cast<std::uint64_t>(number);
    } else if (flag == "--dictionary" && !value.empty()) {
      options.dictionary = std::string(value);
    } else if (flag == "--out" && !value.empty()) {
      options.out = std::string(value);
    } else {
      return Usage();
    }
  }
  if (options.out.empty()) return Usage();
  if (!CanReadFile(options.dictionary)) {
    std::fprintf(stderr, "lumiquad-cli: cannot read %s\n", options.dictionary.c_str());
    return 2;
  }
  return TrainLeaves(options) ? 0 : 1;
}

int Match(const std::vector<std::string_view>& args) {
  MatchOptions options;
  options.dictionary = DataFilePath("dictionary.txt");
  options.simpleWords = DataFilePath("simple.dat");
  bool a = false;
  bool b = false;
  std::string compare;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage();
    const std::string_view flag = args[i];
    const std::string_view value = args[i + 1];
    long long number = 0;
    if ((flag == "--a" || flag == "--b") && ParseLevel(value)) {
      (flag == "--a" ? options.levelA : options.levelB) = *ParseLevel(value);
      (flag == "--a" ? a : b) = true;
    } else if (flag == "--pairs" && ParseNumber(value, 1, 1'000'000, number)) {
      options.pairs = static_cast<int>(number);
    } else if (flag == "--seed" && ParseNumber(value, 1, 1'000'000'000'000, number)) {
      options.seed = number;
    } else if (flag == "--type" && ParseGameType(value)) {
      options.type = *ParseGameType(value);
    } else if (flag == "--dictionary" && !value.empty()) {
      options.dictionary = std::string(value);
    } else if (flag == "--time" && ParseNumber(value, 0, 60'000, number)) {
      options.championMs = static_cast<int>(number);
    } else if (flag == "--playouts" && ParseNumber(value, 1, 1'000'000, number)) {
      options.championPlayouts = static_cast<int>(number);
    } else if (flag == "--threads" && ParseNumber(value, 1, 64, number)) {
      options.threads = static_cast<int>(number);
    } else if (flag == "--pairs-out" && !value.empty()) {
      options.pairsOut = std::string(value);
    } else if (flag == "--compare" && !value.empty()) {
      compare = std::string(value);
    } else {
      return Usage();
    }
  }
  if (!a || !b) return Usage();
  if (!compare.empty()) {
    // Read before the match, so that a file of other deals costs no games.
    const FileReadResult file = ReadFileLimited(compare, std::size_t{64} << 20);
    std::string error = file.status == FileReadStatus::Ok         ? ""
                        : file.status == FileReadStatus::Missing  ? "no such file"
                        : file.status == FileReadStatus::TooLarge ? "too large"
                                                                  : "cannot read it";
    if (error.empty()) {
      options.compareTo = ParsePairRecords(file.contents, &error);
      if (options.compareTo &&
          (options.compareTo->seed != options.seed || options.compareTo->type != options.type)) {
        error = "its pairs were dealt from another seed or game type";
        options.compareTo.reset();
      }
    }
    if (!options.compareTo) {
      std::fprintf(stderr, "lumiquad-cli: %s: %s\n", compare.c_str(), error.c_str());
      return 2;
    }
  }
  if (!CanReadFile(options.dictionary)) {
    std::fprintf(stderr, "lumiquad-cli: cannot read %s\n", options.dictionary.c_str());
    return 2;
  }
  return RunMatch(options) ? 0 : 1;
}
bool ParseNumber(std::string_view text, long long low, long long high, long long& number) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() && number >= low &&
         number <= high;
}

// The largest --games and --seed: far beyond any run, and far enough below the integer limits
// that the seconds the games count up from never overflow.
constexpr long long kMostGames = 1'000'000;
constexpr long long kLatestSeed = 1'000'000'000'000'000;

int SelfPlay(const std::vector<std::string_view>& args) {
  SelfPlayOptions options;
  options.dictionary = DataFilePath("dictionary.txt");
  options.simpleWords = DataFilePath("simple.dat");
  bool gamesGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view flag = args[i];
    if (flag == "--no-checks") {
      options.checks = false;
      continue;
    }
    if (i + 1 >= args.size()) return Usage();
    const std::string_view value = args[++i];
    long long number = 0;
    if (flag == "--games" && ParseNumber(value, 1, kMostGames, number)) {
      options.games = static_cast<int>(number);
      gamesGiven = true;
    } else if (flag == "--level" && ParseNumber(value, 1, 50, number) &&
               (number <= 10 || number == 50)) {
      options.levelValue = static_cast<int>(number);
    } else if (flag == "--seed" && ParseNumber(value, 1, kLatestSeed, number)) {
      options.seed = number;
    } else if (flag == "--threads" && ParseNumber(value, 1, 64, number)) {
      options.threads = static_cast<int>(number);
    } else if (flag == "--type" && ParseGameType(value)) {
      options.type = *ParseGameType(value);
    } else if (flag == "--save-dir" && !value.empty()) {
      options.saveDir = std::string(value);
    } else if (flag == "--dictionary" && !value.empty()) {
      options.dictionary = std::string(value);
    } else {
      return Usage();
    }
  }
  if (!gamesGiven) return Usage();
  if (!CanReadFile(options.dictionary)) {
    std::fprintf(stderr, "lumiquad-cli: cannot read %s\n", options.dictionary.c_str());
    return 2;
  }
  if (!options.saveDir.empty()) {
    std::error_code error;
    std::filesystem::create_directories(options.saveDir, error);
    if (error || !std::filesystem::is_directory(options.saveDir)) {
      std::fprintf(stderr, "lumiquad-cli: cannot make the folder %s: %s\n", options.saveDir.c_str(),
                   error ? error.message().c_str() : "a file of that name is in the way");
      return 2;
    }
  }
  const SelfPlaySummary summary = RunSelfPlay(options);
  return summary.invariantFailures == 0 && summary.saved ? 0 : 1;
}

// Writes a command's output to standard output; a failed write (a full disk behind it) fails.
int WriteStandardOutput(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "lumiquad-cli: standard output could not be written: %s\n",
                 std::strerror(errno));
    return 1;
  }
  return 0;
}

// Refuses an output that is the input itself, however named.
bool IsTheInput(const std::string& input, const std::string& out, const char* what) {
  if (!SameFile(input, out)) return false;
  std::fprintf(stderr, "lumiquad-cli: %s is the %s being read; nothing was written\n", out.c_str(),
               what);
  return true;
}

// A game without a window or the user's settings, as the commands run it; what the window was
// told goes to standard error.
struct HeadlessGame {
  MemorySettingsStore store;
  SystemClock clock;
  CMoveRegConfig moveConfig{store};
  ScriptedWindow window;
  GameEngine engine{
      store, clock, moveConfig, window, DataFilePath("dictionary.txt"), DataFilePath("simple.dat")};

  int Failed() const {
    for (const ScriptedWindow::Message& message : window.messages) {
      std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
    }
    return 1;
  }
};

// Opens a saved game through the reader Open Game uses and writes what `text` makes of it to
// `out`: "-" for standard output, else a file written as the menu command would write it (never
// over the game read, another saved game, or anything but a regular file). A file that does not
// load, a game `refusal` finds a reason not to write (empty for none), or an output that cannot
// be written, gets its message on standard error and status 1, and nothing is written.
int Convert(const std::string& game, const std::string& out,
            const std::function<std::string(const GameEngine&)>& refusal,
            const std::function<std::string(GameEngine&)>& text,
            const std::function<void(GameEngine&, const std::string&)>& write) {
  if (game.empty() || out.empty()) return Usage();
  std::error_code error;
  const std::filesystem::path absolute =
      out == "-" ? std::filesystem::path(out) : std::filesystem::absolute(out, error);
  if (error) {
    std::fprintf(stderr, "lumiquad-cli: %s: %s\n", out.c_str(), error.message().c_str());
    return 2;
  }
  if (IsTheInput(game, out, "game")) return 1;
  HeadlessGame headless;
  GameEngine& engine = headless.engine;
  ScriptedWindow& window = headless.window;
  if (!engine.LoadGameFile(game)) return headless.Failed();
  if (const std::string why = refusal(engine); !why.empty()) {
    std::fprintf(stderr, "lumiquad-cli: %s: %s; nothing was written\n", game.c_str(), why.c_str());
    return 1;
  }
  if (out == "-") return WriteStandardOutput(text(engine));
  const std::size_t before = window.messages.size();
  window.paths.push_back(absolute.string());
  window.yesNoAnswers.push_back(false);
  write(engine, absolute.string());
  for (std::size_t i = before; i < window.messages.size(); ++i) {
    if (window.messages[i].caption == "Failure") return headless.Failed();
  }
  return 0;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

int Report(const std::vector<std::string_view>& args) {
  std::vector<std::string> files;
  bool html = false;
  for (std::string_view arg : args) {
    if (arg == "--html") {
      html = true;
    } else {
      files.emplace_back(arg);
    }
  }
  if (files.size() != 2) return Usage();
  const char* extension = html ? ".htm" : ".txt";
  if (files[1] != "-" && !files[1].empty() && !EndsWith(files[1], extension)) {
    std::fprintf(stderr, "lumiquad-cli: %s: %s report's file name must end in %s\n",
                 files[1].c_str(), html ? "an HTML" : "a text", extension);
    return 2;
  }
  return Convert(
      files[0], files[1], [](const GameEngine&) { return std::string(); },
      [html](GameEngine& engine) { return engine.ReportText(html); },
      [html](GameEngine& engine, const std::string&) { engine.CreateReport(html); });
}

// Reads a GCG record as Import GCG does and writes the game it makes as a game file.
int ImportGcg(const std::vector<std::string_view>& args) {
  if (args.size() != 2) return Usage();
  const std::string record(args[0]);
  const std::string out(args[1]);
  if (IsTheInput(record, out, "record")) return 1;
  HeadlessGame headless;
  if (!headless.engine.ImportGcgFile(record)) return headless.Failed();
  if (out == "-") return WriteStandardOutput(headless.engine.GameText());
  return headless.engine.SaveGameFile(out) ? 0 : headless.Failed();
}

// Makes the word structure of a list, for installing beside it.
int MakeGaddag(const std::vector<std::string_view>& args) {
  if (args.size() != 2) return Usage();
  const std::string list(args[0]);
  const FileReadResult bytes = ReadFileLimited(list, kMaxWordListFile);
  std::optional<Gaddag> gaddag;
  if (bytes.status == FileReadStatus::Ok) gaddag = Gaddag::Build(LoadWordList(list));
  if (!gaddag) {
    std::fprintf(stderr, "lumiquad-cli: %s is no word list a structure can be made of\n",
                 list.c_str());
    return 1;
  }
  const FileWriteResult written = WriteGaddagSidecar(*gaddag, bytes.contents, std::string(args[1]));
  if (!written.ok) {
    std::fprintf(stderr, "lumiquad-cli: could not write %.*s: %s\n",
                 static_cast<int>(args[1].size()), args[1].data(), written.error.c_str());
    return 1;
  }
  return 0;
}

int ExportGcg(const std::vector<std::string_view>& args) {
  if (args.size() != 2) return Usage();
  return Convert(
      std::string(args[0]), std::string(args[1]),
      // The menu offers no export of a game without moves; neither does this.
      [](const GameEngine& engine) {
        return engine.History().empty() ? std::string("the game holds no moves") : std::string();
      },
      [](GameEngine& engine) { return engine.GcgText(); },
      [](GameEngine& engine, const std::string& out) { engine.WriteGcg(out); });
}

}  // namespace
}  // namespace lumiquad

int main(int argc, char** argv) {
  // A write past a file-size limit fails like any other write instead of killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
  if (argc < 2) return lumiquad::Usage();
  const std::string_view command = argv[1];
  if (command == "--version") {
    std::printf("lumiquad-cli %s\n", LUMIQUAD_VERSION);
    return 0;
  }
  std::vector<std::string_view> args(argv + 2, argv + argc);
  // Every failure the commands foresee has its own message; anything else (memory running out)
  // still ends with a message and a failing status rather than an abort.
  try {
    if (command == "selfplay") return lumiquad::SelfPlay(args);
    if (command == "report") return lumiquad::Report(args);
    if (command == "export-gcg") return lumiquad::ExportGcg(args);
    if (command == "board") return lumiquad::PrintBoard(args);
    if (command == "check") return lumiquad::CheckWords(args);
    if (command == "make-gaddag") return lumiquad::MakeGaddag(args);
    if (command == "import-gcg") return lumiquad::ImportGcg(args);
    if (command == "match") return lumiquad::Match(args);
    if (command == "train-leaves") return lumiquad::TrainLeavesCommand(args);
    if (command == "engine") return lumiquad::Engine(args);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "lumiquad-cli: %s\n", error.what());
    return 1;
  }
  return lumiquad::Usage();
}
