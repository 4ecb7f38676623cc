#include "game/report.h"

#include "game_fixture.h"

namespace lumiquad {
namespace {

using Message = ScriptedWindow::Message;

class Report : public test::GameTest {};

TEST(ReportPath, NeedsTheExtensionAFolderAndAName) {
  EXPECT_TRUE(IsValidFilePath("/home/ann/game.txt", "txt"));
  EXPECT_TRUE(IsValidFilePath("/a.b/c.txt", "txt"));
  EXPECT_FALSE(IsValidFilePath("/home/ann/game.TXT", "txt"));
  EXPECT_FALSE(IsValidFilePath("game.txt", "txt"));  // no folder
  EXPECT_FALSE(IsValidFilePath("/home/ann/.txt", "txt"));
  EXPECT_FALSE(IsValidFilePath("/home/ann/gametxt", "txt"));
  EXPECT_FALSE(IsValidFilePath("/home.d/ann/txt", "txt"));
  EXPECT_FALSE(IsValidFilePath("tx", "txt"));
  EXPECT_FALSE(IsValidFilePath("", "txt"));
  EXPECT_TRUE(IsValidFilePath("/r/page.htm", "htm"));
}

TEST_F(Report, EachTurnShowsRackBoardChoicesAndTheMovePlayed) {
  StartWithRacks("ZA?ECTX", "DOGRIAE");
  engine_->Submit(Across(7, 7, "CAT"));  // '?' is no tile of CAT; the blank stays on the rack
  ASSERT_EQ(engine_->History().size(), 2u);
  engine_->FillCurrentPositionRecord();
  std::vector<MoveRecord> records = engine_->History();
  records.push_back(engine_->CurrentRecord());
  const std::string text = BuildTextReport(*engine_, records);

  const std::string header = "   1  2  3  4  5  6  7  8  9 10 11 12 13 14 15\r\n";
  const std::string dots = ".  .  .  .  .  .  .  .  .  .  .  .  .  .  .  ";
  const std::string first = "\r\n\r\nPlayer 1's Rack: ?ACETXZ   Score: 0\r\n\r\n\r\n" + header;
  ASSERT_EQ(text.substr(0, first.size()), first);
  // Row A beside the first choice, at level value 1.
  const std::string genius = DescribeMove(records[0].analysis.ChooseMove(1), 1, true);
  EXPECT_EQ(text.substr(first.size(), 3 + dots.size() + genius.size()), "A  " + dots + genius);
  EXPECT_EQ(genius.substr(genius.size() - 2), "\r\n");
  // Ten choices, then the move played two rows further down.
  EXPECT_NE(
      text.find("L  " + dots + "Move Played:\r\nM  " + dots + "(8H,across) CAT  ?EXZ = 8\r\n"),
      std::string::npos);
  // The position now holds no analysis: "Move Played:" stands beside row B.
  const std::size_t last = text.rfind(header);
  EXPECT_NE(text.find("B  " + dots + "Move Played:\r\n", last), std::string::npos);
  EXPECT_NE(text.find("H  .  .  .  .  .  .  .  C  A  T  ", last), std::string::npos);
  // Every line ends CR LF.
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    ASSERT_EQ(text[at - 1], '\r') << at;
  }
}

TEST_F(Report, TheCommandChecksThePathWritesAndOffersToOpen) {
  StartWithRacks("CATSXYZ", "QQQQQQQ");
  engine_->Submit(Across(7, 7, "CAT"));
  window_.messages.clear();

  window_.paths = {Path("report.TXT")};
  engine_->CreateReport(false);
  EXPECT_EQ(window_.dialogs.back().title, "Create Report");
  EXPECT_EQ(window_.dialogs.back().defaultExtension, ".txt");
  EXPECT_EQ(window_.dialogs.back().filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
  EXPECT_EQ(window_.messages.back(), (Message{Path("report.TXT") + " is not a valid text file path",
                                              "Failure", MessageIcon::Information, false}));

  window_.paths = {Path("report.txt")};
  window_.yesNoAnswers = {true};
  engine_->CreateReport(false);
  EXPECT_EQ(window_.messages.back(), (Message{"Would you like to view the report " +
                                                  Path("report.txt") + " \nyou just created?",
                                              "View report", MessageIcon::Question, true}));
  EXPECT_EQ(window_.openedDocuments, std::vector<std::string>{Path("report.txt")});
  const std::string text = ReadFile("report.txt");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\''), 3);  // two records and the position now

  window_.paths = {Path("report.htm")};
  engine_->CreateReport(true);
  EXPECT_EQ(window_.dialogs.back().title, "Create HTML Report");
  const std::string html = ReadFile("report.htm");
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("(8H,across) CAT  SXYZ = 8"), std::string::npos);
  EXPECT_NE(html.find("Move Played:"), std::string::npos);

  // A report that cannot be written says so and asks nothing.
  std::filesystem::create_directories(Path("folder.txt"));
  window_.paths = {Path("folder.txt")};
  const std::size_t questions = window_.messages.size();
  engine_->CreateReport(false);
  ASSERT_EQ(window_.messages.size(), questions + 1);
  EXPECT_EQ(window_.messages.back().caption, "Failure");
  EXPECT_FALSE(window_.messages.back().question);
  EXPECT_TRUE(std::filesystem::is_directory(Path("folder.txt")));
}

}  // namespace
}  // namespace lumiquad
