#include "tools/cli/engine_mode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace lumiquad {
namespace {

class EngineMode : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() / ("lumiquad-engine-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    options_.dictionary = (folder_ / "words.txt").string();
    options_.simpleWords = (folder_ / "simple.txt").string();
    std::ofstream(options_.dictionary) << "AT\nCAT\nCATS\nTA\nACT\nACTS\nSCAT\nTAX\nAX\nZA\n";
    std::ofstream(options_.simpleWords) << "CAT\nAT\n";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Answers(const std::string& commands) {
    std::istringstream in(commands);
    std::ostringstream out;
    RunEngine(in, out, options_);
    return out.str();
  }

  std::filesystem::path folder_;
  EngineOptions options_;
};

constexpr const char* kEmpty = "15/15/15/15/15/15/15/15/15/15/15/15/15/15/15";

TEST_F(EngineMode, AnswersEveryCommandAndReadsOnAfterAnError) {
  const std::string cat = "15/15/15/15/15/15/15/7CaT5/15/15/15/15/15/15/15";
  EXPECT_EQ(Answers("go\n"
                    "position cgp " +
                    std::string(kEmpty) +
                    " CATSQQQ/ 0/0 0\n"
                    "position cgp 15/15 CAT/ 0/0 0\n"
                    "position cgp " +
                    std::string(kEmpty) +
                    " CATXZ\?\?/ 0/0 0 lex NWL20;\n"
                    "go level genius time 1000\n"
                    "position cgp " +
                    cat +
                    " SX/E 20/5 1\n"
                    "go level genius\n"
                    "go level nobody\n"
                    "position cgp " +
                    cat +
                    " Q/ 20/5 1\n"
                    "go time 100\n"
                    "\n"
                    "launch\n"
                    "quit\n"
                    "go\n"),
            "error no position yet\n"
            "error the position holds more Q tiles than the set has\n"
            "error the board has 15 rows separated by '/'\n"
            "bestmove 8H Za\n"  // a blank in lower case
            "bestmove I8 .X\n"  // down, the board's blank A as a dot
            "error go takes level NAME and time MS\n"
            "bestmove -Q\n"  // the champion changes a lone Q with a full bag
            "error unknown command launch\n");
}

// Whatever it is sent, it answers each command with one line and never stops early.
TEST_F(EngineMode, NothingItIsSentStopsIt) {
  const std::string pieces[] = {"position cgp ",
                                "go",
                                " level ",
                                "genius",
                                " time ",
                                "99999999999",
                                kEmpty,
                                " CAT/ ",
                                "0/0",
                                " 0",
                                "/",
                                "15",
                                "a",
                                "?",
                                "\r",
                                "\t",
                                std::string(70 * 1024, 'x'),
                                "\xff\xfe",
                                "position",
                                "cgp"};
  std::uint32_t seed = 7;
  auto next = [&](std::size_t below) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<std::size_t>(seed >> 4) % below;
  };
  std::string commands;
  int expected = 0;
  for (int line = 0; line < 400; ++line) {
    std::string text;
    for (std::size_t words = 1 + next(6); words > 0; --words)
      text += pieces[next(std::size(pieces))];
    std::istringstream split(text);
    std::string first;
    if (split >> first && first != "quit") ++expected;
    commands += text + "\n";
  }
  const std::string answers = Answers(commands);
  std::istringstream lines(answers);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    EXPECT_TRUE(line.rfind("bestmove ", 0) == 0 || line.rfind("error ", 0) == 0) << line;
  }
  EXPECT_EQ(count, expected);
}

}  // namespace
}  // namespace lumiquad
