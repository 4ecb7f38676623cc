#include "rules/placement.h"

#include <gtest/gtest.h>

#include "support/board_picture.h"

namespace lumiquad {
namespace {

using test::LayPicture;

TurnTiles Tiles(std::vector<TurnTile> snapped) { return {std::move(snapped), false}; }

class Gathering : public ::testing::Test {
 protected:
  MemorySettingsStore store_;
  Board board_{store_, nullptr};
};

TEST_F(Gathering, TilesInARowPlayAcrossInColumnOrder) {
  auto move = GatherPlacement(board_, Tiles({{7, 9, 'T'}, {7, 7, 'C'}, {7, 8, 'A'}}), 0);
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(move->placedLetters, "CAT");
  EXPECT_EQ(move->row, 7);
  EXPECT_EQ(move->column, 7);
  EXPECT_EQ(move->directionText, "across");
  EXPECT_EQ(move->moverIndex, 0);

  auto down = GatherPlacement(board_, Tiles({{4, 2, 'O'}, {3, 2, 'D'}, {5, 2, 'G'}}), 0);
  ASSERT_TRUE(down.has_value());
  EXPECT_EQ(down->placedLetters, "DOG");
  EXPECT_EQ(down->row, 3);
  EXPECT_EQ(down->directionText, "down");
}

TEST_F(Gathering, ShapesThatAreNoMoveAreRefused) {
  LayPicture(board_, {"", "", "", "", "", "", "", ".......CAT"});
  auto refused = [&](TurnTiles tiles) { return !GatherPlacement(board_, tiles, 0).has_value(); };
  EXPECT_TRUE(refused(Tiles({})));
  EXPECT_TRUE(refused(Tiles({{8, 7, 'A'}, {8, 8, 'T'}, {9, 8, 'E'}})));  // an L
  EXPECT_TRUE(refused({{{8, 7, 'A'}, {8, 8, 'T'}}, true}));              // a loose tile
  EXPECT_TRUE(refused(Tiles({{8, 7, 'A'}, {8, 9, 'T'}})));               // a gap
  EXPECT_TRUE(refused(Tiles({{7, 7, 'A'}})));                            // an occupied square
  EXPECT_TRUE(refused(Tiles({{8, 7, 'A'}, {8, 7, 'T'}})));               // one square twice
  EXPECT_TRUE(refused(Tiles({{8, 15, 'A'}, {8, 14, 'T'}})));             // off the board
  EXPECT_TRUE(refused(Tiles({{-1, 3, 'A'}})));
  EXPECT_TRUE(refused(Tiles({{0, 0, 'A'}, {0, 1, 'T'}})));               // not joined
  EXPECT_TRUE(refused(Tiles({{8, 7, '?'}, {8, 8, '?'}, {8, 9, '?'}})));  // three blanks
  EXPECT_TRUE(refused(Tiles({{8, 7, '3'}})));

  // A gap filled by a tile already on the board is fine: the tiles lie where they will play.
  auto bridged = GatherPlacement(board_, Tiles({{7, 6, 'S'}, {7, 10, 'S'}}), 0);
  ASSERT_TRUE(bridged.has_value());
  EXPECT_EQ(bridged->placedLetters, "SS");
  EXPECT_EQ(bridged->column, 6);
}

TEST_F(Gathering, ASingleTileTakesTheDirectionOfItsNeighbours) {
  LayPicture(board_, {"", "", "", "", "", "", "", ".......C", ".......A"});
  auto beside = GatherPlacement(board_, Tiles({{8, 8, 'T'}}), 0);  // A on its left
  EXPECT_EQ(beside->directionText, "across");
  auto below = GatherPlacement(board_, Tiles({{9, 7, 'T'}}), 0);  // A above only
  EXPECT_EQ(below->directionText, "down");
  LayPicture(board_, {"", "", "", "", "", "", "", "........N"});
  auto both = GatherPlacement(board_, Tiles({{8, 8, 'T'}}), 0);  // A to the left, N above
  EXPECT_EQ(both->directionText, "across");
}

TEST_F(Gathering, BlanksAreNumberedAndFoundOnTheirSquares) {
  LayPicture(board_, {"", "", "", "", "", "", "", "........X"});
  auto move = GatherPlacement(
      board_, Tiles({{7, 6, 'Q'}, {7, 7, '?'}, {7, 9, 'E', true}, {7, 10, 'R'}}), 1);
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(move->placedLetters, "Q??R");
  EXPECT_EQ(move->blank1, 1);
  EXPECT_EQ(move->blank2, 2);
  EXPECT_EQ(move->blank1Square, (SquarePosition{7, 7}));
  EXPECT_EQ(move->blank2Square, (SquarePosition{7, 9}));  // past the X already on the board
  EXPECT_EQ(move->moverIndex, 1);
  EXPECT_EQ(BlankSquare(board_, 7, 13, 0, 2), SquarePosition{});  // runs off the board
  EXPECT_EQ(BlankSquare(board_, 7, 6, 0, -1), SquarePosition{});
}

TEST_F(Gathering, ConnectionNeedsATileOnOrBesideTheSpan) {
  EXPECT_TRUE(board_.IsConnected(0, 0, 0, 2));   // an empty board joins anything
  EXPECT_TRUE(board_.IsConnected(0, 14, 0, 2));  // looked at square by square
  EXPECT_FALSE(board_.IsConnected(15, 0, 0, 1));
  LayPicture(board_, {"", "", "", "", "", "", "", ".......C"});
  EXPECT_TRUE(board_.IsConnected(6, 5, 0, 3));  // (6, 7) lies above the C
  EXPECT_FALSE(board_.IsConnected(6, 5, 0, 2));
  EXPECT_TRUE(board_.IsConnected(7, 7, 1, 1));  // on the tile itself
  EXPECT_TRUE(board_.IsConnected(2, 8, 1, 6));  // (7, 8) is beside it
  EXPECT_FALSE(board_.IsConnected(2, 8, 1, 5));
  EXPECT_FALSE(board_.IsConnected(0, 0, 0, 0));
}

}  // namespace
}  // namespace lumiquad
