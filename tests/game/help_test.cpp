#include "ai/move_generator.h"
#include "game_fixture.h"
#include "support/file_size_limit.h"

namespace lumiquad {
namespace {

class Help : public test::GameTest {};

TEST_F(Help, ThePreviewSaysWhatSubmitWouldGiveAndChangesNothing) {
  StartWithRacks("CATSXY?", "DOGRIAE");
  engine_->Submit(Across(7, 7, "CAT"));
  ASSERT_EQ(engine_->Human().score, 8);  // C on the centre's double letter
  StartWithRacks("CATSXY?", "DOGRIAE");
  const std::string before = engine_->GameText();
  struct Case {
    TurnTiles tiles;
    TurnPreview::Kind kind;
    std::string text;
  };
  TurnTiles loose = Across(7, 7, "CAT");
  loose.looseTileOverBoard = true;
  TurnTiles bent = Across(7, 7, "CA");
  bent.snapped.push_back({8, 8, 'T', false});
  TurnTiles named = Across(7, 7, "CA");
  named.snapped.push_back({7, 9, 'T', true});  // a blank typed as T
  const Case cases[] = {
      {{}, TurnPreview::Kind::Nothing, ""},
      {Across(7, 7, "CAT"), TurnPreview::Kind::Valid, "CAT = 8"},
      {Across(7, 7, "CA?"), TurnPreview::Kind::Valid, "CAT = 7 (blank as T)"},
      {named, TurnPreview::Kind::Valid, "CAT = 7"},
      {Across(7, 7, "XY"), TurnPreview::Kind::Challenged, "Not in the word list: XY"},
      {Across(7, 7, "X?"), TurnPreview::Kind::Challenged,
       "No letter for the blank makes every word"},
      {Across(7, 7, "C"), TurnPreview::Kind::Refused, "A word needs at least two letters"},
      {bent, TurnPreview::Kind::Refused, "The tiles are not in one line"},
      {loose, TurnPreview::Kind::Refused, "A tile is not on a square"},
      {Across(7, 7, "QQ"), TurnPreview::Kind::Refused, "Those are not tiles of your rack"},
  };
  for (const Case& c : cases) {
    const TurnPreview preview = engine_->PreviewTurn(c.tiles);
    EXPECT_EQ(preview.kind, c.kind) << c.text;
    EXPECT_EQ(preview.text, c.text);
  }
  EXPECT_EQ(engine_->GameText(), before);

  // A cross word is named after the main word.
  engine_->Submit(Across(7, 7, "CAT"));
  engine_->Human().rack = "SXXXXXX";
  TurnTiles cats;
  cats.snapped.push_back({7, 10, 'S', false});
  EXPECT_EQ(engine_->PreviewTurn(cats).text.substr(0, 5), "CATS ");
  TurnTiles gap = Across(8, 7, "XX");
  gap.snapped.back().column = 10;
  EXPECT_EQ(engine_->PreviewTurn(gap).text, "The tiles leave a gap");
}

TEST_F(Help, TheHintIsTheGeniusMoveAndScoresWhatThePreviewSays) {
  StartWithRacks("CATSDOG", "QQQQQQQ");
  const std::string before = engine_->GameText();
  const std::optional<Move> hint = engine_->BestMoveForHuman();
  ASSERT_TRUE(hint.has_value());
  EXPECT_EQ(engine_->GameText(), before);

  Board& board = engine_->GetBoard();
  board.SetMover(0);
  MarkCentreAnchor(board);
  const std::vector<Move> candidates = GenerateMoves(board, "CATSDOG", engine_->Bonus());
  const MoveChooser genius(candidates, 200, board, engine_->GetBag(), engine_->Human(),
                           engine_->Computer(), &engine_->SimpleWords(), false, engine_->Bonus());
  EXPECT_EQ(DescribeMove(*hint, 0, true), DescribeMove(genius.Ranked().front(), 0, true));

  TurnTiles tiles;
  tiles.snapped = TilesOfMove(*hint, board.Squares());
  const TurnPreview preview = engine_->PreviewTurn(tiles);
  ASSERT_EQ(preview.kind, TurnPreview::Kind::Valid);
  engine_->Submit(tiles);
  EXPECT_EQ(engine_->Human().score, preview.total);
  EXPECT_EQ(engine_->Human().score, hint->total);
  // The hint's analysis is the one the move records: the game is as it is without a hint.
  EXPECT_EQ(engine_->History().front().analysis.Ranked(), genius.Ranked());
  const std::string hinted = engine_->GameText();
  ASSERT_TRUE(engine_->TakeBack());
  engine_->Submit(tiles);
  EXPECT_EQ(engine_->GameText(), hinted);
}

TEST_F(Help, TakeBackRestoresTheGameTextAndLogStepByStepToTheDeal) {
  StartWithRacks("CATSXYZ", "DOGRIAE");
  std::vector<std::pair<std::string, std::string>> before;  // game text and log
  auto command = [&](auto run) {
    before.emplace_back(engine_->GameText(), window_.log);
    run();
  };
  command([&] { engine_->Submit(Across(7, 7, "XY")); });  // a challenged word
  command([&] { engine_->Submit(Across(7, 7, "CAT")); });
  command([&] { engine_->Pass(); });
  command([&] { engine_->Change("XYZ"); });
  ASSERT_EQ(engine_->State(), GameState::Playing);
  ASSERT_EQ(engine_->History().size(), 7u);
  while (!before.empty()) {
    ASSERT_TRUE(engine_->TakeBack());
    // Compared whole, but not printed: a game text runs to thousands of lines.
    EXPECT_TRUE(engine_->GameText() == before.back().first) << "step " << before.size();
    EXPECT_EQ(window_.log, before.back().second) << "step " << before.size();
    before.pop_back();
  }
  EXPECT_FALSE(engine_->TakeBack());  // back at the deal
  // Only while playing.
  engine_->Pass();
  engine_->StartReview();
  EXPECT_FALSE(engine_->TakeBack());
}

TEST_F(Help, AGameInPlayIsKeptAfterEveryTurnAndResumes) {
  engine_->SetResumeFolder(Path("state"));
  EXPECT_FALSE(engine_->HasResumableGame());
  StartWithRacks("CATSXYZ", "DOGRIAE");
  engine_->Submit(Across(7, 7, "CAT"));
  const std::string playedLog = window_.log;
  // Kept once the turn is over, as it is played: a crash now loses nothing.
  std::vector<RecentGame> kept = ListRecentGames(Path("state"));
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_TRUE(ReadFile("state/" + std::filesystem::path(kept[0].path).filename().string()) ==
              engine_->GameText());
  engine_->StartReview();
  engine_->EndReview();
  const std::string running = engine_->GameText();
  EXPECT_FALSE(engine_->HasResumableGame());  // its own file is not offered
  engine_->StartReview();                     // kept as it is played, not as the review shows
  engine_->NewGame();
  ASSERT_EQ(engine_->RecentGames().size(), 1u);
  EXPECT_EQ(ListRecentGames(Path("state")).size(), 2u);  // the new game has its own
  ASSERT_TRUE(engine_->ResumeLastGame());
  EXPECT_TRUE(engine_->GameText() == running);
  EXPECT_EQ(window_.log, playedLog);
  // A second copy of the program keeps its game beside the first one's.
  ScriptedWindow otherWindow;
  GameEngine other(store_, clock_, moveConfig_, otherWindow, Path("main.txt"), Path("simple.txt"));
  other.SetResumeFolder(Path("state"));
  other.NewGame();
  engine_->KeepRunningGame();
  EXPECT_EQ(ListRecentGames(Path("state")).size(), 3u);

  // A finished game's file goes.
  const std::size_t before = ListRecentGames(Path("state")).size();
  for (int i = 0; i < 20 && engine_->State() == GameState::Playing; ++i) engine_->Pass();
  ASSERT_EQ(engine_->State(), GameState::GameOver);
  EXPECT_EQ(ListRecentGames(Path("state")).size(), before - 1);
  // A damaged file says so.
  WriteFile("state/game-damaged.lqg", "damaged\n");
  window_.messages.clear();
  EXPECT_FALSE(engine_->ResumeGame(Path("state/game-damaged.lqg")));
  EXPECT_EQ(window_.messages.back().text, Path("state/game-damaged.lqg") + " did not load");
}

TEST_F(Help, AGameThatCannotBeKeptIsNeverDroppedWithoutAWord) {
  // A link planted at the kept game's name is never followed: the notes stay as they were.
  engine_->SetResumeFolder(Path("state"));
  StartWithRacks("CATSXYZ", "DOGRIAE");
  engine_->Submit(Across(7, 7, "CAT"));
  const std::string keptPath = ListRecentGames(Path("state")).at(0).path;
  WriteFile("notes.txt", "my notes\n");
  std::filesystem::remove(keptPath);
  std::filesystem::create_symlink(Path("notes.txt"), keptPath);
  engine_->Pass();
  EXPECT_EQ(ReadFile("notes.txt"), "my notes\n");
  EXPECT_NE(window_.statusText.find("could not be kept"), std::string::npos);
  EXPECT_TRUE(ListRecentGames(Path("state")).empty());  // nor is it offered for Resume
  std::filesystem::remove(keptPath);
  {
    test::FileSizeLimit full(16);  // a full disk says so too
    engine_->Pass();
    EXPECT_NE(window_.statusText.find("File too large"), std::string::npos);
  }
  std::filesystem::create_symlink(Path("notes.txt"), keptPath);

  // Cancel goes on with the game; Save asks for a file (again when that fails); Discard lets go.
  const std::string running = engine_->GameText();
  window_.unkeptChoices = {UnkeptGameChoice::Cancel};
  engine_->NewGame();
  EXPECT_TRUE(engine_->GameText() == running);
  EXPECT_NE(window_.messages.back().text.find("symbolic link"), std::string::npos);
  std::filesystem::create_directories(Path("folder.lqg"));
  window_.unkeptChoices = {UnkeptGameChoice::SaveElsewhere, UnkeptGameChoice::SaveElsewhere};
  window_.paths = {Path("folder.lqg"), Path("saved.lqg")};
  engine_->CloseGame();
  EXPECT_TRUE(ReadFile("saved.lqg") == running);
  EXPECT_EQ(engine_->State(), GameState::NoGame);
  engine_->SetResumeFolder(Path("notes.txt"));  // no folder can be made there
  engine_->NewGame();
  window_.unkeptChoices = {UnkeptGameChoice::Discard};
  window_.messages.clear();
  engine_->CloseGame();
  EXPECT_EQ(engine_->State(), GameState::NoGame);
  EXPECT_EQ(window_.messages.size(), 1u);
}

TEST_F(Help, TheWordCheckAndTheComputersLastMove) {
  engine_->CheckWord("cat");
  engine_->CheckWord("CA");
  ASSERT_EQ(window_.messages.size(), 2u);
  EXPECT_EQ(window_.messages[0].text, "CAT is in the word list.");
  EXPECT_EQ(window_.messages[1].text, "CA is not in the word list.");
  EXPECT_EQ(window_.messages[1].caption, "Check Word");

  StartWithRacks("XXXXXXX", "DOGQQQQ");
  EXPECT_TRUE(engine_->LastComputerMove().empty());
  engine_->Pass();
  const Move& played = engine_->History().back().move;
  ASSERT_EQ(played.moverIndex, 1);
  std::string laid;
  for (const TurnTile& tile : engine_->LastComputerMove()) {
    laid += tile.letter;
    EXPECT_TRUE(engine_->GetBoard().Cell(tile.row, tile.column).HasTile());
  }
  EXPECT_EQ(laid, played.placedLetters);
  engine_->Computer().rack = "QQQQQQQ";
  engine_->Pass();  // the computer has nothing to lay
  EXPECT_TRUE(engine_->LastComputerMove().empty());
}

}  // namespace
}  // namespace lumiquad
