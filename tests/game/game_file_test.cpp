#include <algorithm>
#include <sstream>

#include <sys/stat.h>

#include "game/report.h"
#include "game_fixture.h"
#include "support/file_size_limit.h"

namespace lumiquad {
namespace {

using Message = ScriptedWindow::Message;

class GameFile : public test::GameTest {
 protected:
  // A game of a few turns: moves by both, a pass and a change.
  void PlayAFewTurns() {
    StartWithRacks("CATSXYZ", "DOGRIAE");
    engine_->Submit(Across(7, 7, "CAT"));
    engine_->Change("XYZ");
    engine_->Pass();
    ASSERT_GE(engine_->History().size(), 6u);
  }

  std::unique_ptr<GameEngine> FreshEngine(ScriptedWindow& window) {
    return std::make_unique<GameEngine>(store_, clock_, moveConfig_, window, Path("main.txt"),
                                        Path("simple.txt"));
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  static std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
  }
};

TEST_F(GameFile, SavingLoadingAndSavingAgainGivesTheSameFile) {
  PlayAFewTurns();
  ASSERT_TRUE(engine_->SaveGameFile(Path("game.lqg")));
  const std::string saved = ReadFile("game.lqg");
  EXPECT_EQ(saved, engine_->GameText());
  const std::string report = BuildTextReport(*engine_, engine_->History());

  ScriptedWindow other;
  std::unique_ptr<GameEngine> reopened = FreshEngine(other);
  ASSERT_TRUE(reopened->LoadGameFile(Path("game.lqg")));
  EXPECT_EQ(other.title, "Welcome To Lumiquad! - " + Path("game.lqg"));
  EXPECT_EQ(reopened->State(), GameState::Playing);
  EXPECT_EQ(reopened->GameText(), saved);
  EXPECT_EQ(reopened->Human().rack, engine_->Human().rack);
  EXPECT_EQ(reopened->Computer().score, engine_->Computer().score);
  EXPECT_EQ(reopened->History().size(), engine_->History().size());
  EXPECT_EQ(reopened->GetBag().GetContents(), engine_->GetBag().GetContents());
  // Each record's analysis answers as before: the report of the reopened game is the same.
  EXPECT_EQ(BuildTextReport(*reopened, reopened->History()), report);

  // Windows line ends are read the same.
  std::string crlf;
  for (char c : saved) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  WriteFile("crlf.lqg", crlf);
  ScriptedWindow third;
  std::unique_ptr<GameEngine> fromCrlf = FreshEngine(third);
  ASSERT_TRUE(fromCrlf->LoadGameFile(Path("crlf.lqg")));
  EXPECT_EQ(fromCrlf->GameText(), saved);

  // And the reopened game goes on as the original would: the same next move scores the same.
  const std::string rack = engine_->Human().rack;
  engine_->Pass();
  reopened->Pass();
  EXPECT_EQ(reopened->Computer().score, engine_->Computer().score);
}

TEST_F(GameFile, AFinishedGameOpensOverAndLoadingNeverChangesTheBonusSetting) {
  StartWithRacks("XYZXYZX", "QQQQQQQ");
  for (int i = 0; i < 3; ++i) engine_->Pass();
  ASSERT_TRUE(engine_->IsGameOver());
  engine_->SetBonus(35);
  ASSERT_TRUE(engine_->SaveGameFile(Path("over.lqg")));
  engine_->SetBonus(60);

  ScriptedWindow other;
  std::unique_ptr<GameEngine> reopened = FreshEngine(other);
  ASSERT_TRUE(reopened->LoadGameFile(Path("over.lqg")));
  EXPECT_EQ(reopened->State(), GameState::GameOver);
  EXPECT_EQ(reopened->Bonus(), 35);       // the loaded game's own bonus is in force
  EXPECT_EQ(moveConfig_.GetBonus(), 60);  // the setting is untouched
  EXPECT_EQ(
      std::get<std::int32_t>(*FindSettingsValue(store_.Key("Software\\Lumiquad\\Move"), "Bonus")),
      60);
  reopened->Submit(Across(7, 7, "XYZ"));
  EXPECT_EQ(reopened->History().size(), engine_->History().size());
  reopened->NewGame();
  EXPECT_EQ(reopened->Bonus(), 60);
}

TEST_F(GameFile, DamagedFilesAreRefusedAndTheRunningGameStays) {
  PlayAFewTurns();
  const std::string good = engine_->GameText();
  const std::vector<std::string> lines = Lines(good);
  ASSERT_EQ(lines[23], "15");  // the board's row count
  auto changed = [&](std::size_t line, const std::string& text) {
    std::vector<std::string> copy = lines;
    copy[line] = text;
    return Joined(copy);
  };
  std::size_t recordSquares = 0;
  for (std::size_t i = 1600; i < lines.size(); ++i) {
    if (lines[i] == "225") {
      recordSquares = i;
      break;
    }
  }
  ASSERT_GT(recordSquares, 0u);
  // The first record's move, the human's CAT: its cross-word counts, main score, row and
  // direction.
  const std::size_t direction =
      std::find(lines.begin() + 1600, lines.end(), "across") - lines.begin();
  ASSERT_EQ(lines[direction - 4], "CAT");
  std::vector<std::string> overflowing = lines;
  overflowing[1605] = "1\nAT";  // a cross word
  overflowing[1606] = "1\n1000000000";
  overflowing[direction - 3] = "1000000000";
  const std::vector<std::pair<std::string, std::string>> damaged = {
      {"direction turned", changed(direction, "acrosz")},
      {"placed move off the board", changed(direction - 2, "-1")},
      {"scores adding up past any game", Joined(overflowing)},
      {"truncated", good.substr(0, good.size() / 2)},
      {"empty", ""},
      {"level 11", changed(2, "11")},
      {"level 0", changed(2, "0")},
      {"level not a number", changed(2, "eight")},
      {"bag of lower case", changed(5, "abc")},
      {"rack of eight", changed(8, "ABCDEFGH")},
      {"rack with a digit", changed(8, "AB1")},
      {"human as computer", changed(21, "1")},
      {"board of 16 rows", changed(23, "16")},
      {"square out of place", changed(28, "3")},
      {"square off the board", changed(28, "15")},
      {"square of a wrong character", changed(25, "x")},
      {"letter count 25", changed(1569, "25")},
      {"idle count past the integer range", changed(1596, "99999999999")},
      {"idle count no game reaches", changed(1596, "2000000000")},
      {"score near the integer limit", changed(12, "2147483647")},
      {"saved score far below zero", changed(22, "-2147483648")},
      {"huge record count", changed(1599, "999999999")},
      {"negative record count", changed(1599, "-2")},
      {"record of 224 squares", changed(recordSquares, "224")},
  };
  for (const auto& [what, text] : damaged) {
    WriteFile("bad.lqg", text);
    window_.messages.clear();
    EXPECT_FALSE(engine_->LoadGameFile(Path("bad.lqg"))) << what;
    EXPECT_EQ(window_.messages, (std::vector<Message>{{Path("bad.lqg") + " did not load", "Failure",
                                                       MessageIcon::None, false}}))
        << what;
    EXPECT_EQ(engine_->GameText(), good) << what;
  }
  std::string why;
  EXPECT_FALSE(engine_->LoadGameText(changed(23, "16"), &why));
  EXPECT_EQ(why, "line 25: the board is 15 by 15");
  EXPECT_FALSE(engine_->LoadGameFile(Path("no such file.lqg")));
  EXPECT_EQ(engine_->GameText(), good);
}

TEST_F(GameFile, EveryStateThatCanBeSavedOpensAgain) {
  // Saves the running game, opens the file in a fresh engine and compares the game text.
  auto reopens = [&](const std::string& state) {
    SCOPED_TRACE(state);
    ASSERT_TRUE(engine_->SaveGameFile(Path("state.lqg")));
    ScriptedWindow other;
    std::unique_ptr<GameEngine> reopened = FreshEngine(other);
    std::string why;
    ASSERT_TRUE(reopened->LoadGameText(ReadFile("state.lqg"), &why)) << why;
    EXPECT_EQ(reopened->GameText(), ReadFile("state.lqg"));
    // The opened game's log shows its moves.
    EXPECT_EQ(other.log, engine_->HistoryLog());
  };
  for (bool humanFirst : {true, false}) {
    clock_.Set(test::SecondWhereFirst(humanFirst));
    engine_->NewGame();
    reopens(humanFirst ? "just dealt, the human to move" : "just dealt, the computer moved");
  }
  StartWithRacks("CATSXYZ", "DOGRIAE");
  engine_->Submit(Across(7, 7, "XYZ"));
  reopens("after a challenged move");
  engine_->Pass();
  reopens("after a pass");
  engine_->Change("XYZ");
  reopens("after a change");
  engine_->StartReview();
  engine_->StepForward();
  reopens("while reviewing");
  engine_->EndReview();
  for (int i = 0; i < 20 && engine_->State() == GameState::Playing; ++i) engine_->Pass();
  ASSERT_EQ(engine_->State(), GameState::GameOver);
  reopens("game over");
}

TEST_F(GameFile, WhatIsNoGameFileIsRefusedAtOnce) {
  // A FIFO nobody writes into would block a reader that waited on it.
  ASSERT_EQ(::mkfifo(Path("pipe.lqg").c_str(), 0600), 0);
  EXPECT_FALSE(engine_->LoadGameFile(Path("pipe.lqg")));
  EXPECT_EQ(window_.messages.back().text, Path("pipe.lqg") + " did not load");
  // A game whose word list is a device, opened while no main list is loaded.
  PlayAFewTurns();
  std::vector<std::string> lines = Lines(engine_->GameText());
  lines[1] = "/dev/zero";
  WriteFile("zero.lqg", Joined(lines));
  ScriptedWindow other;
  auto empty = std::make_unique<GameEngine>(store_, clock_, moveConfig_, other, Path("none.txt"),
                                            Path("simple.txt"));
  EXPECT_TRUE(empty->LoadGameFile(Path("zero.lqg")));
  EXPECT_TRUE(empty->MainWords().IsEmpty());
}

TEST_F(GameFile, SavingNeverDestroysAnExistingFile) {
  PlayAFewTurns();
  WriteFile("keep.lqg", "what was there\n");
  window_.messages.clear();
  {
    test::FileSizeLimit fullDisk(64);
    EXPECT_FALSE(engine_->SaveGameFile(Path("keep.lqg")));
  }
  EXPECT_EQ(ReadFile("keep.lqg"), "what was there\n");
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_EQ(window_.messages[0], (Message{Path("keep.lqg") + " could not be saved: File too large",
                                          "Failure", MessageIcon::Information, false}));

  // Through the menu: the dialog's title, extension and filter.
  window_.paths = {Path("menu.lqg")};
  engine_->SaveGame();
  EXPECT_EQ(window_.dialogs.back().defaultExtension, ".lqg");
  EXPECT_EQ(ReadFile("menu.lqg"), engine_->GameText());
  window_.paths = {Path("menu.lqg")};
  engine_->NewGame();
  engine_->OpenGame();
  EXPECT_EQ(window_.dialogs.back().title, "Open Game");
  EXPECT_EQ(engine_->GameText(), ReadFile("menu.lqg"));
}

}  // namespace
}  // namespace lumiquad
