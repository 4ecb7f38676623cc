#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "game/game_engine.h"
#include "game/scripted_window.h"
#include "support/first_mover.h"
#include "support/move_printer.h"

namespace lumiquad::test {

// A game engine over small word lists written for the test, shown in a scripted window, with
// its settings in memory.
class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("lumiquad-game-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    WriteFile("main.txt",
              "CAT\nCATS\nAT\nTA\nSAT\nACT\nACTS\nDOG\nDOGS\nGOD\nGODS\nTO\nDO\nGO\nOD\n"
              "TOG\nDOT\nDOTS\nCOT\nCOTS\nAD\nAG\nGAD\nTAG\nTAGS\nSAG\nQI\nZA\nAE\nEA\nIT\n"
              "TI\nOE\nOI\nIO\nID\nDI\nRE\nER\nED\nDE\nGED\nGIT\nDIG\nRIG\nRID\nAID\nRAID\n");
    WriteFile("simple.txt", "CAT\nDOG\nAT\nTO\nDO\nGO\n");
    clock_.Set(SecondWhereFirst(true));
    engine_ = std::make_unique<GameEngine>(store_, clock_, moveConfig_, window_, Path("main.txt"),
                                           Path("simple.txt"));
  }
  void TearDown() override {
    engine_.reset();
    std::filesystem::remove_all(folder_);
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  void WriteFile(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
  }
  std::string ReadFile(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // A new game with the human to move and the racks given.
  void StartWithRacks(const std::string& human, const std::string& computer) {
    engine_->NewGame();
    ASSERT_EQ(engine_->State(), GameState::Playing);
    engine_->Human().rack = human;
    engine_->Computer().rack = computer;
    window_.log.clear();
  }

  static TurnTiles Across(int row, int column, const std::string& letters) {
    TurnTiles tiles;
    for (std::size_t i = 0; i < letters.size(); ++i) {
      tiles.snapped.push_back({row, column + static_cast<int>(i), letters[i], letters[i] == '?'});
    }
    return tiles;
  }

  std::filesystem::path folder_;
  MemorySettingsStore store_;
  FixedClock clock_;
  CMoveRegConfig moveConfig_{store_};
  ScriptedWindow window_;
  std::unique_ptr<GameEngine> engine_;
};

}  // namespace lumiquad::test
