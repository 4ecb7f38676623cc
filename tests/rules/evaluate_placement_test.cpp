#include "rules/evaluate_placement.h"

#include <gtest/gtest.h>

#include <random>

#include "rules/placement.h"
#include "support/board_picture.h"

namespace lumiquad {
namespace {

using test::CopyGrids;
using test::LayPicture;
using test::MakePlain;

class Evaluation : public ::testing::Test {
 protected:
  void SetUp() override {
    board_.SetDictionaryRef(&words_);
    MakePlain(board_);
  }

  Move Play(const Placement& placement, std::string_view rack, bool trial = false) {
    return EvaluatePlacement(board_, placement, rack, {.checkWords = true, .trial = trial});
  }

  MemorySettingsStore store_;
  WordList words_ = test::Words({"CAT", "CATS", "AT", "TA", "SCAT", "ATE", "TE", "AE", "XI", "AX",
                                 "TAX", "EX", "TAXI", "QI"});
  Board board_{store_, nullptr};
};

TEST_F(Evaluation, TheMainWordTakesInTheTilesAlreadyInItsLine) {
  LayPicture(board_, {"", "", "", "", "", "", "", ".....C.T"});
  Move between = Play({"SAE", 7, 4, 0}, "SAEXYZ", true);  // S C A T E
  EXPECT_EQ(between.mainWord, "SCATE");
  EXPECT_EQ(between.placedLetters, "SAE");

  MakePlain(board_);
  LayPicture(board_, {"", "", "", "", "", "", "", "....CAT"});
  Move after = Play({"S", 7, 7, 0}, "SQ", true);
  EXPECT_EQ(after.mainWord, "CATS");
  EXPECT_FALSE(after.invalid);
  EXPECT_EQ(after.total, 3 + 1 + 1 + 1);
  EXPECT_EQ(after.rackBefore, "SQ");
  EXPECT_EQ(after.rackAfter, "Q");
  Move before = Play({"S", 7, 3, 0}, "S", true);
  EXPECT_EQ(before.mainWord, "SCAT");
  EXPECT_EQ(before.total, 6);
}

TEST_F(Evaluation, SingleTilesFormTheWordsOfTheirDirection) {
  LayPicture(board_, {"", "", "", "", "", "", "", ".......A"});
  auto beside = GatherPlacement(board_, {{{7, 8, 'T'}}, false}, 0);
  Move across =
      Play({beside->placedLetters, beside->row, beside->column, beside->Direction()}, "T", true);
  EXPECT_EQ(across.mainWord, "AT");
  EXPECT_EQ(across.directionText, "across");
  EXPECT_TRUE(across.crossWords.empty());

  auto below = GatherPlacement(board_, {{{8, 7, 'T'}}, false}, 0);
  Move down =
      Play({below->placedLetters, below->row, below->column, below->Direction()}, "T", true);
  EXPECT_EQ(down.mainWord, "AT");
  EXPECT_EQ(down.directionText, "down");

  // A T to its left and the A above: across TE, with AE as the cross word.
  LayPicture(board_, {"", "", "", "", "", "", "", "", "......T"});
  auto corner = GatherPlacement(board_, {{{8, 7, 'E'}}, false}, 0);
  Move both =
      Play({corner->placedLetters, corner->row, corner->column, corner->Direction()}, "E", true);
  EXPECT_EQ(both.mainWord, "TE");
  EXPECT_EQ(both.crossWords, std::vector<std::string>{"AE"});
  EXPECT_FALSE(both.invalid);
}

TEST_F(Evaluation, FirstMovesNeedTwoLettersAnywhere) {
  Move single = Play({"A", 7, 7, 0}, "A");
  EXPECT_TRUE(single.invalid);
  EXPECT_EQ(single.total, -1);
  EXPECT_EQ(single.invalidWords, std::vector<std::string>{"A"});
  EXPECT_TRUE(board_.IsBoardEmpty());

  Move corner = Play({"QI", 0, 0, 1}, "QIZ");
  EXPECT_FALSE(corner.invalid);
  EXPECT_EQ(corner.total, 11);
  EXPECT_EQ(board_.SquareAt(1, 0)->character, 'I');
}

TEST_F(Evaluation, EveryWordIsLookedUpAndOnlyTheFailingOnesListed) {
  LayPicture(board_, {"", "", "", "", "", "", "", ".......C", ".......Q"});
  // TA is a word, but its A above the C makes the cross word ACQ, which is not.
  Move move = Play({"TA", 6, 6, 0}, "TAX");
  EXPECT_TRUE(move.invalid);
  EXPECT_EQ(move.crossWords, std::vector<std::string>{"ACQ"});
  EXPECT_EQ(move.invalidWords, std::vector<std::string>{"ACQ"});
  EXPECT_EQ(move.total, -1);
  EXPECT_EQ(DescribeMove(move, 0, false), "ACQ. : CHALLENGED");

  Move two = Play({"XX", 6, 6, 0}, "XX");
  EXPECT_EQ(two.invalidWords, (std::vector<std::string>{"XCQ", "XX"}));  // cross words first
  EXPECT_EQ(DescribeMove(two, 1, false), "XCQ, XX. : CHALLENGED\r\n");
}

TEST_F(Evaluation, AValidMoveStaysAndEverythingElseLeavesTheBoardAsItWas) {
  LayPicture(board_, {"", "", "", "", "", "", "", ".....CAT"});
  const test::GridCopy before = CopyGrids(board_);
  Play({"S", 7, 8, 0}, "S", true);  // a valid trial
  Play({"Z", 7, 8, 0}, "Z");        // not a word
  Play({"SE", 7, 8, 1}, "SE");      // CATS across is fine, SE down is not
  Play({"S", 7, 8, 0}, "AB");       // not on the rack
  Play({"SSS", 7, 13, 0}, "SSS");   // runs off the board
  Play({"S", 7, 15, 0}, "S");       // starts off the board
  Play({"S", -1, 0, 1}, "S");
  Play({"S", 7, 8, 2}, "S");     // no such direction
  Play({"S", 7, 8, 0, 3}, "S");  // a blank index past the letters
  Play({"s", 7, 8, 0}, "s");     // not a tile letter
  Play({"", 7, 8, 0}, "");
  Play({"SSSSSSSS", 8, 0, 0}, "SSSSSSS");  // more letters than the rack holds
  EXPECT_EQ(CopyGrids(board_), before);

  board_.SetMover(1);
  Move cats = Play({"S", 7, 8, 0, 0}, "?");
  ASSERT_FALSE(cats.invalid);
  EXPECT_EQ(cats.moverIndex, 1);
  EXPECT_EQ(cats.total, 5);  // the blank S scores 0
  EXPECT_EQ(cats.blank1Square, (SquarePosition{7, 8}));
  const Square& s = *board_.SquareAt(7, 8);
  EXPECT_EQ(s.character, 'S');
  EXPECT_EQ(s.blank, 1);
  EXPECT_EQ(s.placedBy, 1);
  EXPECT_EQ(*board_.BackupSquareAt(7, 8), s);  // the commit took a new snapshot
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) {
      if (r == 7 && c == 8) continue;
      EXPECT_EQ(*board_.SquareAt(r, c), before.live[static_cast<std::size_t>(r * 15 + c)]);
    }
  }
}

TEST_F(Evaluation, RefusedPlacementsAreInvalidWithoutTouchingTheGrid) {
  Move off = Play({"CATS", 0, 12, 0}, "CATS");
  EXPECT_TRUE(off.invalid);
  EXPECT_EQ(off.total, -1);
  EXPECT_TRUE(off.mainWord.empty());
  Move missing = Play({"CAT", 7, 7, 0}, "CAX");
  EXPECT_TRUE(missing.invalid);
  EXPECT_EQ(missing.rackAfter, "");
  EXPECT_TRUE(board_.IsBoardEmpty());
}

TEST_F(Evaluation, TrialRacksCountTheBlanksBackAsQuestionMarks) {
  // As the computer's search hands them over: placed letters, then the rack left.
  Move move = Play({"CAT", 7, 7, 0, 0, 2}, "CATXY", true);
  EXPECT_EQ(move.rackBefore, "?A?XY");
  EXPECT_EQ(move.rackAfter, "XY");
  EXPECT_EQ(move.total, 1);
  // A blank letter the rack does not hold is left alone rather than read past the rack.
  Move human = Play({"CATS", 7, 7, 0, 3}, "CAT?", true);
  EXPECT_EQ(human.rackBefore, "CAT?");
  EXPECT_EQ(human.rackAfter, "");
  EXPECT_FALSE(human.invalid);
}

TEST_F(Evaluation, TrialsLeaveBothGridsMatchingWhateverCameBefore) {
  // Evaluations mixed with direct edits of the board: after each one the backup grid must
  // equal the live grid, and a trial must leave the live grid as it found it.
  std::mt19937 random(7);
  const std::string letters = "CATSEXIQ";
  LayPicture(board_, {"", "", "", "", "", "", "", "......CAT"});
  for (int round = 0; round < 400; ++round) {
    if (round % 7 == 0) board_.SetSquareKind(random() % 15, random() % 15, "#$.*"[random() % 4]);
    std::string word;
    for (int n = 1 + random() % 4; n > 0; --n) word += letters[random() % letters.size()];
    const Placement placement{word, static_cast<int>(random() % 15),
                              static_cast<int>(random() % 15), static_cast<int>(random() % 2)};
    const test::GridCopy before = CopyGrids(board_);
    const bool trial = random() % 2 == 0;
    Move move = Play(placement, word, trial);
    const test::GridCopy after = CopyGrids(board_);
    EXPECT_EQ(after.live, after.backup) << round;
    if (trial || move.invalid) {
      EXPECT_EQ(after.live, before.live) << round;
    }
  }
}

TEST(DescribeMove, TheLogFormats) {
  Move cat;
  cat.rackBefore = "CATSIDE";
  cat.rackAfter = "SID?ER";
  cat.row = 7;
  cat.column = 7;
  cat.directionText = "across";
  cat.mainWord = "CAT";
  cat.total = 5;
  EXPECT_EQ(DescribeMove(cat, 0, false), "(8H,across) CAT = 5");
  EXPECT_EQ(DescribeMove(cat, 2, true), "(8H,across) CAT  ?DEIRS = 5\r\n\r\n");
  cat.total = -12;
  cat.column = 14;
  cat.row = 0;
  cat.directionText = "down";
  EXPECT_EQ(DescribeMove(cat, 0, false), "(15A,down) CAT = -12");

  Move pass;
  pass.isPass = true;
  EXPECT_EQ(DescribeMove(pass, 1, true), "PASSED\r\n");
  Move change;
  change.isExchange = true;
  change.exchangedLetters = "QV";
  EXPECT_EQ(DescribeMove(change, 0, false), " : CHANGED : QV");
  Move challenged;
  challenged.invalid = true;
  challenged.invalidWords = {"QZX", "ABC"};
  EXPECT_EQ(DescribeMove(challenged, 0, false), "QZX, ABC. : CHALLENGED");
  EXPECT_EQ(DescribeMove(Move{}, 0, false), "");
}

}  // namespace
}  // namespace lumiquad
