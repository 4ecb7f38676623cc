#include "bench/position_file.h"

#include <gtest/gtest.h>

namespace lumiquad {
namespace {

std::string Board(const std::string& firstRow = "...............") {
  std::string text = firstRow + "\n";
  for (int r = 1; r < 15; ++r) text += "...............\n";
  return text;
}

TEST(PositionFile, ReadsWhatItWrites) {
  const std::string text = "# two positions\n" + Board("CAT..........q.") + "rack: AB?\n\n\n" +
                           Board() + "rack: AEINRST\r\n";
  PositionFileResult file = ParsePositions(text, "p.txt");
  ASSERT_TRUE(file.error.empty()) << file.error;
  ASSERT_EQ(file.positions.size(), 2u);
  EXPECT_EQ(file.positions[0].rows[0], "CAT..........q.");
  EXPECT_EQ(file.positions[0].rack, "AB?");
  EXPECT_EQ(file.positions[0].line, 2);
  EXPECT_EQ(file.positions[1].line, 20);
  EXPECT_EQ(ParsePositions(FormatPositions(file.positions), "q").positions[1].rack, "AEINRST");
}

TEST(PositionFile, AMalformedFileNamesTheLine) {
  auto error = [](const std::string& text) { return ParsePositions(text, "p.txt").error; };
  EXPECT_EQ(error(Board("CAT") + "rack: A\n"), "p.txt:1: a board row must be 15 characters long");
  EXPECT_EQ(error(Board("CAT.....3......") + "rack: A\n"),
            "p.txt:1: a board row holds only '.', A-Z and a-z");
  EXPECT_EQ(error(Board() + "rack A\n"), "p.txt:16: expected \"rack: LETTERS\" after the board");
  EXPECT_EQ(error(Board() + "rack: ABCDEFGH\n"), "p.txt:16: a rack holds 1 to 7 tiles");
  EXPECT_EQ(error(Board() + "rack: ab\n"), "p.txt:16: a rack holds only A-Z and '?'");
  EXPECT_EQ(error("...............\n\n"), "p.txt:2: expected board row 2 of 15");
  EXPECT_EQ(error(Board() + "rack: A\n" + Board()),
            "p.txt:17: expected a blank line between positions");
  EXPECT_EQ(error(""), "p.txt: no positions");
}

TEST(PositionFile, TheBagIsTheSetLessWhatIsSeen) {
  PositionFileResult file = ParsePositions(Board("QQ.............") + "rack: ???\n", "p.txt");
  ASSERT_EQ(file.positions.size(), 1u);
  std::string error;
  EXPECT_FALSE(UnseenTiles(GameType::Scrabble, file.positions[0], &error).has_value());
  EXPECT_EQ(error, "line 1: the position uses more Q tiles than the set holds");
  file.positions[0].rows[0] = "QAb............";
  EXPECT_FALSE(UnseenTiles(GameType::Scrabble, file.positions[0], &error).has_value());
  EXPECT_EQ(error, "line 1: the position uses more blanks than the set holds");
  file.positions[0].rack = "E";
  std::optional<std::string> unseen = UnseenTiles(GameType::Scrabble, file.positions[0], &error);
  ASSERT_TRUE(unseen.has_value());
  EXPECT_EQ(unseen->size(), 100u - 4);
  EXPECT_EQ(unseen->find('Q'), std::string::npos);
}

}  // namespace
}  // namespace lumiquad
