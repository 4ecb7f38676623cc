#include "game_fixture.h"

namespace lumiquad {
namespace {

class Review : public test::GameTest {
 protected:
  // Five records: a played move and the computer's pass, a pass of each, and a challenged move.
  void PlayFiveRecords() {
    StartWithRacks("CATSXYZ", "QQQQQQQ");
    engine_->Submit(Across(7, 7, "CAT"));  // records 0 and 1
    engine_->Pass();                       // records 2 and 3
    engine_->Submit(Across(8, 7, "XZ"));   // record 4, challenged
    ASSERT_EQ(engine_->History().size(), 5u);
    window_.log.clear();
  }

  // The human's score as the record at `index` left the position before its move.
  int ShownHumanScore() const { return engine_->Human().score; }
};

TEST_F(Review, StepsWrapAroundTheHistory) {
  PlayFiveRecords();
  const std::string before = engine_->GameText();
  engine_->StartReview();
  EXPECT_EQ(engine_->State(), GameState::Reviewing);
  EXPECT_EQ(window_.buttonMode, ButtonMode::Review);
  ASSERT_NE(engine_->Viewer(), nullptr);
  EXPECT_EQ(engine_->Viewer()->Records().size(), 6u);  // and the position now
  EXPECT_TRUE(engine_->GetBoard().IsBoardEmpty());     // record 0: before the first move
  EXPECT_EQ(window_.log.substr(0, 36), "\n\n1.  Player 1:\nRack: ACSTXYZ\n(8H,ac");
  EXPECT_NE(window_.log.find("Other options:\n1. (8H,across) "), std::string::npos);

  std::vector<int> shown;
  for (int i = 0; i < 5; ++i) {
    engine_->StepForward();
    shown.push_back(engine_->Viewer()->index);
  }
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 0}));
  EXPECT_EQ(engine_->Viewer()->direction, 0);
  EXPECT_TRUE(engine_->GetBoard().IsBoardEmpty());

  // From the first record a step back shows it and moves to the last.
  engine_->StepBack();
  EXPECT_EQ(engine_->Viewer()->index, 4);
  EXPECT_EQ(engine_->Viewer()->direction, 1);
  EXPECT_TRUE(engine_->GetBoard().IsBoardEmpty());
  engine_->StepBack();
  EXPECT_EQ(engine_->Viewer()->index, 3);
  EXPECT_EQ(engine_->GetBoard().Cell(7, 8).character, 'A');  // record 4: CAT on the board
  EXPECT_EQ(ShownHumanScore(), 8);

  engine_->GoToEnd();
  EXPECT_EQ(engine_->Viewer()->index, 4);
  engine_->GoToStart();
  EXPECT_EQ(engine_->Viewer()->index, 0);
  EXPECT_EQ(ShownHumanScore(), 0);

  engine_->EndReview();
  EXPECT_EQ(engine_->State(), GameState::Playing);
  EXPECT_EQ(window_.buttonMode, ButtonMode::Play);
  EXPECT_EQ(engine_->Viewer(), nullptr);
  EXPECT_EQ(engine_->Human().score, 8);
  // The game is exactly as it was, but for the record of the current position.
  const std::string after = engine_->GameText();
  EXPECT_EQ(after.substr(0, 2000), before.substr(0, 2000));
  EXPECT_EQ(engine_->GetBag().GetContents(), [&] {
    engine_->StartReview();
    engine_->EndReview();
    return engine_->GetBag().GetContents();
  }());
}

TEST_F(Review, TheAnalysisListsAtMostTenOptions) {
  PlayFiveRecords();
  engine_->StartReview();
  const std::string& log = window_.log;
  const std::size_t options = log.find("Other options:\n");
  ASSERT_NE(options, std::string::npos);
  int lines = 0;
  for (std::size_t at = log.find('\n', options) + 1; at < log.size(); at = log.find('\n', at) + 1) {
    ++lines;
  }
  EXPECT_EQ(lines, 10);
  EXPECT_NE(log.find("\n10. ("), std::string::npos);
  EXPECT_EQ(log.find("\n11. "), std::string::npos);
}

TEST_F(Review, AnEmptyHistoryOnlySaysWhereTheReviewIs) {
  StartWithRacks("CATSXYZ", "QQQQQQQ");
  engine_->StartReview();
  ASSERT_NE(engine_->Viewer(), nullptr);
  EXPECT_EQ(window_.log, "");
  engine_->StepForward();
  EXPECT_EQ(window_.log, "\n\nYou are at the end of the analysis!\n");
  EXPECT_EQ(engine_->Viewer()->index, -1);
  window_.log.clear();
  engine_->StepBack();
  EXPECT_EQ(window_.log, "\n\nYou are at the start of the analysis!\n");
  engine_->GoToEnd();
  EXPECT_EQ(engine_->Viewer()->index, -1);
  engine_->GoToStart();
  engine_->EndReview();
  EXPECT_EQ(engine_->Human().rack, "CATSXYZ");
}

TEST_F(Review, CommandsWithoutAReviewDoNothingAndNewCommandsEndIt) {
  PlayFiveRecords();
  const std::string before = engine_->GameText();
  engine_->StepForward();
  engine_->StepBack();
  engine_->GoToStart();
  engine_->GoToEnd();
  engine_->EndReview();
  EXPECT_EQ(engine_->GameText(), before);
  EXPECT_EQ(window_.log, "");

  // A new game ends the review first: nothing of the review comes back over the new game.
  engine_->StartReview();
  engine_->StepForward();
  engine_->NewGame();
  EXPECT_EQ(engine_->Viewer(), nullptr);
  EXPECT_EQ(engine_->State(), GameState::Playing);
  EXPECT_EQ(engine_->Human().score, 0);
  EXPECT_EQ(engine_->GetBag().Size(), 86);
  engine_->EndReview();
  EXPECT_EQ(engine_->Human().score, 0);

  engine_->StartReview();
  engine_->CloseGame();
  EXPECT_EQ(engine_->Viewer(), nullptr);
  EXPECT_EQ(engine_->State(), GameState::NoGame);
}

TEST_F(Review, AFinishedGameStaysOverAfterItsReview) {
  StartWithRacks("XYZXYZX", "QQQQQQQ");
  for (int i = 0; i < 3; ++i) engine_->Pass();
  ASSERT_EQ(engine_->State(), GameState::GameOver);
  engine_->StartReview();
  EXPECT_EQ(engine_->State(), GameState::GameOver);
  EXPECT_EQ(engine_->Viewer()->Records().size(), engine_->History().size());
  engine_->EndReview();
  EXPECT_EQ(engine_->State(), GameState::GameOver);
  const std::size_t records = engine_->History().size();
  engine_->Submit(Across(7, 7, "XYZ"));
  EXPECT_EQ(engine_->History().size(), records);
}

}  // namespace
}  // namespace lumiquad
