#include "model/board.h"

#include <gtest/gtest.h>

#include <map>

#include "model/presets.h"

namespace lumiquad {
namespace {

std::map<char, int> KindCounts(const Board& board) {
  std::map<char, int> counts;
  for (int r = 0; r < 15; ++r) {
    for (int c = 0; c < 15; ++c) ++counts[board.SquareAt(r, c)->character];
  }
  return counts;
}

bool AllPlain(const Board& board) { return KindCounts(board) == std::map<char, int>{{'.', 225}}; }

TEST(Board, BuiltInLayoutsHaveTheirCentresAndSymmetry) {
  MemorySettingsStore store;
  Board board(store, nullptr);
  EXPECT_EQ(board.SquareAt(7, 7)->character, '|');  // a fresh board lays the Lumiquad layout
  board.LayScrabble();
  EXPECT_EQ(board.SquareAt(7, 7)->character, '#');
  board.LayLiterati();
  EXPECT_EQ(board.SquareAt(7, 7)->character, '.');

  for (GameType type : {GameType::Lumiquad, GameType::Scrabble, GameType::Literati}) {
    board.LayBuiltIn(type);
    for (int r = 0; r < 15; ++r) {
      for (int c = 0; c < 15; ++c) {
        char code = board.SquareAt(r, c)->character;
        EXPECT_EQ(code, board.SquareAt(14 - r, c)->character);
        EXPECT_EQ(code, board.SquareAt(r, 14 - c)->character);
        EXPECT_EQ(code, board.SquareAt(c, r)->character);
      }
    }
  }
}

TEST(Board, SquaresAreAddressedOnlyOnTheBoard) {
  MemorySettingsStore store;
  Board board(store, nullptr);
  EXPECT_EQ(board.SquareAt(15, 0), nullptr);
  EXPECT_EQ(board.SquareAt(-1, 3), nullptr);
  EXPECT_EQ(board.SquareAt(0, 15), nullptr);
  EXPECT_EQ(board.BackupSquareAt(0, -1), nullptr);
  EXPECT_EQ(board.SquareAt(14, 14)->row, 14);
  EXPECT_EQ(board.SquareAt(3, 9)->column, 9);
  EXPECT_EQ(board.BackupSquareAt(3, 9)->row, 3);  // the backup grid has coordinates too

  const std::string before = board.LayoutString();
  board.SetSquareKind(15, 2, '#');
  board.SetSquareKind(-1, -1, '#');
  board.StepSquareKind(2, 15, true);
  EXPECT_EQ(board.LayoutString(), before);
  board.SetSquareKind(0, 1, '$');
  EXPECT_EQ(board.SquareAt(0, 1)->character, '$');
}

TEST(Board, NeighboursAreLookedForAcrossTheLineOfPlay) {
  MemorySettingsStore store;
  Board board(store, nullptr);
  board.SetSquareKind(1, 0, 'A');   // below (0, 0)
  board.SetSquareKind(5, 13, 'B');  // left of (5, 14)
  EXPECT_TRUE(board.HasNeighbour(0, 0, 0));
  EXPECT_FALSE(board.HasNeighbour(0, 0, 1));
  EXPECT_TRUE(board.HasNeighbour(5, 14, 1));
  EXPECT_FALSE(board.HasNeighbour(5, 14, 0));
  EXPECT_TRUE(board.HasNeighbour(2, 0, 0));   // above
  EXPECT_TRUE(board.HasNeighbour(5, 12, 1));  // right
  EXPECT_FALSE(board.HasNeighbour(1, 0, 2));  // no such axis
  EXPECT_FALSE(board.HasNeighbour(14, 14, 0));
  EXPECT_FALSE(board.IsBoardEmpty());
  board.LayLumiquad();
  EXPECT_TRUE(board.IsBoardEmpty());
}

TEST(Board, RestoringASnapshotBringsBackEveryField) {
  MemorySettingsStore store;
  Board board(store, nullptr);
  Square* square = board.SquareAt(7, 7);
  square->character = 'Q';
  square->blank = 1;
  square->placedBy = 1;
  board.SaveSnapshot();
  EXPECT_EQ(*board.BackupSquareAt(7, 7), *square);

  square->character = 'Z';
  square->blank = 0;
  square->anchor = 1;
  square->placedBy = 0;
  board.SetSquareKind(0, 0, 'X');
  board.RestoreSnapshot();
  EXPECT_EQ(board.SquareAt(7, 7)->character, 'Q');
  EXPECT_EQ(board.SquareAt(7, 7)->blank, 1);
  EXPECT_EQ(board.SquareAt(7, 7)->anchor, 0);
  EXPECT_EQ(board.SquareAt(7, 7)->placedBy, 1);
  EXPECT_EQ(board.SquareAt(0, 0)->character, '|');
}

TEST(Board, LetterValuesComeFromTheRecordAndStayInRange) {
  MemorySettingsStore store;
  {
    Board board(store, nullptr);  // none stored: the Lumiquad values, saved at once
    EXPECT_EQ(board.LetterValue('Q'), 10);
    EXPECT_EQ(board.LetterValue('e'), board.LetterValue('E'));
    EXPECT_EQ(board.LetterValue('?'), 0);
    EXPECT_EQ(board.LetterValue('.'), 0);
    board.SetLetterValue(-1, 9);
    board.SetLetterValue(26, 9);
    board.SetLetterValue(0, 0);  // A worth 0 is the user's own choice
    board.SetLetterValue(1, 1000);
    EXPECT_EQ(board.LetterValue('B'), kMaxLetterValue);
  }
  {
    Board board(store, nullptr);
    EXPECT_EQ(board.LetterValue('A'), 0);
    EXPECT_EQ(board.LetterValue('C'), 3);
    board.SetLetterValues(LetterTable{});
  }
  Board board(store, nullptr);  // all 26 stored as 0: treated as none stored
  EXPECT_EQ(board.GetLetterValues(), ValuePresets()[0].values);
}

TEST(Board, TheRememberedLayoutIsLaidAtStartAndOverTheDefaultAtReset) {
  MemorySettingsStore store;
  {
    Board board(store, nullptr);
    board.LayScrabble();
    ASSERT_EQ(board.SaveLayoutAs("Mine"), SaveLayoutResult::Saved);
    board.SetDefaultBoard("Mine");
  }
  {
    Board board(store, nullptr);
    EXPECT_EQ(board.SquareAt(7, 7)->character, '#');
    board.SetDefaultBoard("Gone");
  }
  Board board(store, nullptr);  // a name that is not in the library: every square Plain
  EXPECT_TRUE(AllPlain(board));
  board.ResetBoard();
  EXPECT_EQ(board.SquareAt(7, 7)->character, '|');
}

TEST(Board, OnlyWholeStoredLayoutsAreApplied) {
  MemorySettingsStore store;
  Board board(store, nullptr);
  board.name[0] = "Short";
  board.boards[0] = std::string(224, '#');
  board.name[1] = "Long";
  board.boards[1] = std::string(226, '#');
  board.name[2] = "Letters";
  board.boards[2] = std::string(224, '$') + "Q";
  const std::string before = board.LayoutString();
  board.ApplyLayoutByName("Short");
  board.ApplyLayoutByName("Long");
  board.ApplyLayoutByName("Nothing");
  EXPECT_EQ(board.LayoutString(), before);
  EXPECT_EQ(board.defaultboard, "");

  // A hand-edited layout with a letter in it lays no tile.
  board.ApplyLayoutByName("Letters");
  EXPECT_EQ(board.defaultboard, "Letters");
  EXPECT_EQ(board.SquareAt(14, 14)->character, '.');
  EXPECT_EQ(board.SquareAt(7, 7)->character, '$');
}

TEST(Board, SavedLayoutsHoldKindsOnlyAndDeletingTheDefaultRestoresTheBuiltIn) {
  MemorySettingsStore store;
  {
    Board board(store, nullptr);
    board.SquareAt(7, 7)->character = 'A';  // a tile left on the board
    board.SquareAt(7, 7)->placedBy = 1;
    ASSERT_EQ(board.SaveLayoutAs("Tiles"), SaveLayoutResult::Saved);
    EXPECT_EQ(board.SaveLayoutAs("Tiles"), SaveLayoutResult::NotUnique);
    EXPECT_EQ(board.boards[0][7 * 15 + 7], '.');
    board.ApplyLayoutByName("Tiles");
    EXPECT_TRUE(board.IsBoardEmpty());
    EXPECT_EQ(board.defaultboard, "Tiles");
  }
  {
    Board board(store, nullptr);
    EXPECT_EQ(board.defaultboard, "Tiles");
    EXPECT_EQ(board.SquareAt(0, 0)->character, '|');
    EXPECT_EQ(board.SquareAt(7, 7)->character, '.');
    board.DeleteLayout("Tiles");
    EXPECT_EQ(board.GetLayoutNames()[0], "");
  }
  Board board(store, nullptr);
  EXPECT_EQ(board.defaultboard, "");
  EXPECT_EQ(board.SquareAt(7, 7)->character, '|');
}

TEST(Board, EditingStepsAroundTheKindRing) {
  MemorySettingsStore store;
  Board board(store, nullptr);
  board.SetSquareKind(3, 3, '.');
  const std::string forward = "=~*$#%&|.";
  for (char expected : forward) {
    board.StepSquareKind(3, 3, true);
    EXPECT_EQ(board.SquareAt(3, 3)->character, expected);
  }
  board.StepSquareKind(3, 3, true);
  board.StepSquareKind(3, 3, false);  // a right click undoes a left click
  EXPECT_EQ(board.SquareAt(3, 3)->character, '.');
  board.StepSquareKind(3, 3, false);
  EXPECT_EQ(board.SquareAt(3, 3)->character, '|');
  board.SetSquareKind(3, 3, 'K');
  board.StepSquareKind(3, 3, false);
  EXPECT_EQ(board.SquareAt(3, 3)->character, '.');
}

TEST(Board, UndoClearRestoresOnlyWhatClearTookAway) {
  MemorySettingsStore store;
  Board board(store, nullptr);
  board.UndoClearBoardLayout();  // before any Clear: every square Plain, coordinates kept
  EXPECT_TRUE(AllPlain(board));
  EXPECT_EQ(board.SquareAt(4, 11)->row, 4);
  EXPECT_EQ(board.SquareAt(4, 11)->column, 11);

  board.LayScrabble();
  const std::string scrabble = board.LayoutString();
  board.ClearBoardLayout();
  EXPECT_TRUE(AllPlain(board));
  board.UndoClearBoardLayout();
  EXPECT_EQ(board.LayoutString(), scrabble);
  board.UndoClearBoardLayout();  // as often as wanted
  EXPECT_EQ(board.LayoutString(), scrabble);

  // A game's evaluation snapshots never reach the editor's copy.
  board.SquareAt(7, 7)->character = 'Z';
  board.SaveSnapshot();
  board.LayLumiquad();
  board.UndoClearBoardLayout();
  EXPECT_EQ(board.LayoutString(), scrabble);
}

}  // namespace
}  // namespace lumiquad
