#include <gtest/gtest.h>

#include "rules/evaluate_placement.h"
#include "support/board_picture.h"

namespace lumiquad {
namespace {

using test::LayKinds;
using test::LayPicture;
using test::MakePlain;

class Scoring : public ::testing::Test {
 protected:
  void SetUp() override { MakePlain(board_); }

  // Scores a placement without looking its words up; the rack is exactly the placed tiles.
  Move Score(const std::string& letters, int row, int column, int direction, int blank1 = -1,
             int blank2 = -1, int bonus = 50) {
    return EvaluatePlacement(board_, {letters, row, column, direction, blank1, blank2}, letters,
                             {.checkWords = false, .trial = true, .bonus = bonus});
  }

  MemorySettingsStore store_;
  Board board_{store_, nullptr};  // the Lumiquad letter values: C 3, A 1, T 1, E 1
};

TEST_F(Scoring, TheWorkedExamples) {
  EXPECT_EQ(Score("CAT", 7, 7, 0).total, 5);

  LayKinds(board_, {"", "", "", "&.#"});
  EXPECT_EQ(Score("CAT", 3, 0, 0).total, 22);
  LayKinds(board_, {"", "", "", ".=#"});
  EXPECT_EQ(Score("CAT", 3, 0, 0).total, 0);
  LayKinds(board_, {"", "", "", ".%."});
  EXPECT_EQ(Score("CAT", 3, 0, 0, 1).total, 4);  // the A a blank

  // A new E on a minus-5 square below a down word AT forms ATE: (1 - 5) + 1 + 1.
  MakePlain(board_);
  LayPicture(board_, {"", "", "", "", "", ".....A", ".....T"});
  LayKinds(board_, {"", "", "", "", "", "", "", ".....~"});
  Move ate = Score("ER", 7, 5, 0);
  ASSERT_EQ(ate.crossWords, std::vector<std::string>{"ATE"});
  EXPECT_EQ(ate.crossScores[0], -2);

  MakePlain(board_);
  EXPECT_EQ(Score("CCAAAAD", 7, 4, 0).total, 62);  // letter sum 12 and the bonus
}

TEST_F(Scoring, WordFactorsMultiplyAndPenaltiesComeAfter) {
  auto scoreOver = [&](const std::string& kinds, const std::string& letters) {
    MakePlain(board_);
    LayKinds(board_, {kinds});
    return Score(letters, 0, 0, 0).total;
  };
  EXPECT_EQ(scoreOver("#.#", "CAT"), 5 * 4);
  EXPECT_EQ(scoreOver("#$.", "CAT"), 5 * 6);
  EXPECT_EQ(scoreOver("*.*", "CAT"), 5 * 16);
  EXPECT_EQ(scoreOver("#=.", "CAT"), 5 * 2 - 10);
  EXPECT_EQ(scoreOver("$~~", "CAT"), 5 * 3 - 10);
  EXPECT_EQ(scoreOver("==", "AT"), -18);  // a word can score below zero
  EXPECT_EQ(scoreOver("%&|", "CAT"), 12 + 3 + 2);
}

TEST_F(Scoring, BlanksScoreNothingButKeepTheirSquaresWordFactor) {
  LayKinds(board_, {"$"});
  Move move = Score("CAT", 0, 0, 0, 0);
  EXPECT_EQ(move.total, (0 + 1 + 1) * 3);
  MakePlain(board_);
  Move both = Score("CAT", 0, 0, 0, 0, 2);
  EXPECT_EQ(both.total, 1);
  EXPECT_EQ(both.rackBefore, "?A?");
  EXPECT_EQ(both.rackAfter, "");
}

TEST_F(Scoring, AnEarlierPremiumSquareCountsOnlyForItsOwnTile) {
  // The C lies on what was a triple word square; CATS through it is scored at plain values.
  LayKinds(board_, {"$"});
  LayPicture(board_, {"C"});
  Move move = Score("ATS", 0, 1, 0);
  EXPECT_EQ(move.mainWord, "CATS");
  EXPECT_EQ(move.total, 3 + 1 + 1 + 1);
  // A blank already on the board scores 0 in every later word.
  MakePlain(board_);
  LayPicture(board_, {"c"});
  EXPECT_EQ(Score("AT", 0, 1, 0).total, 2);
}

TEST_F(Scoring, TheFullRackBonusNeedsSevenTiles) {
  EXPECT_EQ(Score("CCAAAD", 7, 4, 0).total, 11);
  EXPECT_EQ(Score("CCAAAAD", 7, 4, 0, -1, -1, 120).total, 132);
  EXPECT_EQ(Score("CCAAAAD", 7, 4, 0, -1, -1, 0).total, 12);
}

TEST_F(Scoring, CrossWordsTakeTheirNewTilesSquare) {
  // Down word AT in column 5; a new S below it on a quad word square makes ATS and the main word.
  LayPicture(board_, {"", "", "", "", "", ".....A", ".....T"});
  LayKinds(board_, {"", "", "", "", "", "", "", "....*"});
  Move quad = Score("SS", 7, 4, 0);
  ASSERT_EQ(quad.crossWords, std::vector<std::string>{"ATS"});
  EXPECT_EQ(quad.crossScores[0], 3);  // the S in column 5 lies on a plain square
  MakePlain(board_);
  LayPicture(board_, {"", "", "", "", "", ".....A", ".....T"});
  LayKinds(board_, {"", "", "", "", "", "", "", ".....*"});
  Move through = Score("SS", 7, 5, 0);
  EXPECT_EQ(through.crossScores[0], 3 * 4);
  EXPECT_EQ(through.mainScore, 2 * 4);
  EXPECT_EQ(through.total, 12 + 8);

  // A cross word of value 3 through a new tile on minus 10 scores -7.
  MakePlain(board_);
  LayPicture(board_, {"", "", "", "", "", ".....A", ".....T"});
  LayKinds(board_, {"", "", "", "", "", "", "", ".....="});
  EXPECT_EQ(Score("SS", 7, 5, 0).crossScores[0], -7);
}

}  // namespace
}  // namespace lumiquad
