#include "game_fixture.h"

namespace lumiquad {
namespace {

using Message = ScriptedWindow::Message;

class GameFlow : public test::GameTest {};

TEST_F(GameFlow, AHumanMoveIsScoredLoggedAndAnsweredByTheComputer) {
  StartWithRacks("CATSXYZ", "DOGRIAE");
  engine_->Submit(Across(7, 7, "CAT"));

  // C on the centre's double letter square: 6 + 1 + 1.
  EXPECT_EQ(window_.log.substr(0, 32), "\n\nPlayer 1:\n(8H,across) CAT = 8\n");
  EXPECT_EQ(engine_->Human().score, 8);
  EXPECT_EQ(engine_->Human().rack.size(), 7u);
  EXPECT_EQ(engine_->Human().rack.substr(0, 4), "SXYZ");
  EXPECT_EQ(engine_->GetBoard().Cell(7, 8).character, 'A');
  EXPECT_EQ(engine_->GetBoard().Cell(7, 8).placedBy, 0);

  ASSERT_EQ(engine_->History().size(), 2u);
  const MoveRecord& human = engine_->History()[0];
  EXPECT_EQ(human.move.total, 8);
  EXPECT_EQ(human.move.moverIndex, 0);
  EXPECT_EQ(human.board[7 * 15 + 7].character, '|');  // the position before the move
  EXPECT_FALSE(human.analysis.Ranked().empty());      // the human's own options
  EXPECT_EQ(human.humanScore, 0);

  const MoveRecord& computer = engine_->History()[1];
  EXPECT_EQ(computer.move.moverIndex, 1);
  ASSERT_FALSE(computer.move.isPass);
  EXPECT_GT(computer.move.total, 0);
  EXPECT_EQ(computer.humanScore, 8);
  EXPECT_EQ(engine_->Computer().score, computer.move.total);
  EXPECT_NE(window_.log.find("\n\nVazovi:\n("), std::string::npos);
  EXPECT_EQ(engine_->HumanIdleTurns(), 0);
  EXPECT_FALSE(window_.Busy());

  // The computer's options are made whole only when read: a new word list in the meantime
  // leaves them as they were.
  const Move best = computer.analysis.ChooseMove(1);
  engine_->Pass();
  ASSERT_EQ(engine_->History().size(), 4u);
  WriteFile("other.txt", "ZA\nQI\n");
  ASSERT_TRUE(engine_->SetDictionary(Path("other.txt")));
  ASSERT_FALSE(engine_->History()[1].analysis.Ranked().empty());
  EXPECT_EQ(engine_->History()[1].analysis.Ranked()[0], best);
}

TEST_F(GameFlow, RefusedPlacementsKeepTheTurnWithTheSameThreeTexts) {
  StartWithRacks("CATSXYZ", "DOGRIAE");
  const Message refusal{kInvalidPlacementText, "Invalid move", MessageIcon::None, false};
  TurnTiles shapeL = Across(7, 7, "CA");
  shapeL.snapped.push_back({8, 8, 'T', false});
  TurnTiles gap = Across(7, 7, "C");
  gap.snapped.push_back({7, 9, 'T', false});
  TurnTiles loose = Across(7, 7, "CAT");
  loose.looseTileOverBoard = true;
  for (const TurnTiles& tiles : {shapeL, gap, loose, Across(7, 7, "DOG"), TurnTiles{}}) {
    window_.messages.clear();
    window_.log.clear();
    engine_->Submit(tiles);
    EXPECT_EQ(window_.log, "\n\nThe move was invalid\n");
    EXPECT_EQ(window_.statusText, "The Move was invalid");
    EXPECT_EQ(window_.messages, std::vector<Message>{refusal});
  }
  EXPECT_TRUE(engine_->History().empty());
  EXPECT_EQ(engine_->Human().rack, "CATSXYZ");
  EXPECT_TRUE(engine_->GetBoard().IsBoardEmpty());
}

TEST_F(GameFlow, AChallengedMoveIsRecordedAndTheTilesGoBack) {
  StartWithRacks("CATSXYZ", "QQQQQQQ");
  engine_->Pass();  // the computer cannot play either
  ASSERT_EQ(engine_->HumanIdleTurns(), 1);
  const std::size_t records = engine_->History().size();
  window_.log.clear();

  engine_->Submit(Across(7, 7, "XYZ"));
  ASSERT_EQ(engine_->History().size(), records + 1);
  const Move& challenged = engine_->History().back().move;
  EXPECT_TRUE(challenged.invalid);
  EXPECT_EQ(challenged.invalidWords, std::vector<std::string>{"XYZ"});
  EXPECT_EQ(window_.log, "\n\nPlayer 1:\nXYZ. : CHALLENGED\n");
  EXPECT_EQ(window_.turnTilesReturned, 2);  // once for the pass, once now
  EXPECT_EQ(engine_->HumanIdleTurns(), 0);
  EXPECT_EQ(engine_->ComputerIdleTurns(), 1);
  EXPECT_EQ(engine_->Human().rack, "CATSXYZ");
  EXPECT_EQ(engine_->Human().score, 0);
  EXPECT_TRUE(engine_->GetBoard().IsBoardEmpty());
  EXPECT_EQ(engine_->State(), GameState::Playing);
}

TEST_F(GameFlow, BlanksAreNamedBeforeTheMoveIsPlayed) {
  StartWithRacks("CA?SXYZ", "QQQQQQQ");
  window_.blankLetters = {'1', 'T'};  // the dialog asks again until it gets a letter
  engine_->Submit(Across(7, 7, "CA?"));
  EXPECT_EQ(engine_->Human().score, 6 + 1 + 0);
  const Square& blank = engine_->GetBoard().Cell(7, 9);
  EXPECT_EQ(blank.character, 'T');
  EXPECT_EQ(blank.blank, 1);
  EXPECT_EQ(engine_->History().front().move.rackAfter, "SXYZ");
}

TEST_F(GameFlow, ThreeIdleTurnsEachEndTheGame) {
  StartWithRacks("XYZXYZX", "QQQQQQQ");
  const Message computerPassed{"PASS", "Vazovi passed", MessageIcon::None, false};
  engine_->Pass();
  engine_->Change("XYZ");  // a change is an idle turn like a pass
  EXPECT_EQ(engine_->History()[2].move.isExchange, true);
  EXPECT_EQ(engine_->History()[2].move.exchangedLetters, "XYZ");
  EXPECT_EQ(engine_->Human().rack.size(), 7u);
  EXPECT_EQ(engine_->HumanIdleTurns(), 2);
  EXPECT_EQ(engine_->ComputerIdleTurns(), 2);
  EXPECT_EQ(engine_->State(), GameState::Playing);
  EXPECT_EQ(window_.messages, std::vector<Message>(2, computerPassed));

  engine_->Pass();
  EXPECT_TRUE(engine_->IsGameOver());
  EXPECT_EQ(engine_->State(), GameState::GameOver);
  ASSERT_EQ(window_.messages.size(), 4u);
  EXPECT_EQ(window_.messages[3].text,
            "                GAME OVER\n\n                Player 1\n                0\n"
            "                Vazovi\n                0\n");
  EXPECT_EQ(window_.messages[3].caption, "Lumiquad");
  EXPECT_EQ(window_.buttonMode, ButtonMode::Review);
  EXPECT_FALSE(window_.gameButtonEnabled);
  EXPECT_TRUE(window_.closeRequested);  // the dialog's default answer here: Exit Program

  // Nothing more is played once the game is over.
  const std::size_t records = engine_->History().size();
  engine_->Pass();
  engine_->Submit(Across(7, 7, "XYZ"));
  engine_->Change("X");
  EXPECT_EQ(engine_->History().size(), records);
}

TEST_F(GameFlow, APlacingMoveResetsOnlyTheMoversIdleCount) {
  StartWithRacks("CATSXYZ", "QQQQQQQ");
  engine_->Pass();
  engine_->Submit(Across(7, 7, "CAT"));
  EXPECT_EQ(engine_->HumanIdleTurns(), 0);
  EXPECT_EQ(engine_->ComputerIdleTurns(), 2);  // it passed after each human turn
}

TEST_F(GameFlow, TheGameOverDialogOffersItsFourWays) {
  StartWithRacks("XYZXYZX", "QQQQQQQ");
  window_.gameOverChoices = {GameOverChoice::SaveGame, GameOverChoice::PlayAgain};
  window_.paths = {std::nullopt};  // Save Game cancelled: the dialog asks again
  for (int i = 0; i < 3; ++i) engine_->Pass();
  EXPECT_EQ(window_.dialogs.size(), 1u);
  EXPECT_EQ(window_.dialogs[0].title, "Save Game");
  EXPECT_EQ(engine_->State(), GameState::Playing);  // played again
  EXPECT_FALSE(window_.closeRequested);

  engine_->Human().rack = "XYZXYZX";
  engine_->Computer().rack = "QQQQQQQ";
  window_.gameOverChoices = {GameOverChoice::Review};
  const int records = static_cast<int>(engine_->History().size());
  for (int i = 0; i < 3; ++i) engine_->Pass();
  EXPECT_EQ(engine_->State(), GameState::GameOver);
  ASSERT_NE(engine_->Viewer(), nullptr);
  EXPECT_EQ(static_cast<int>(engine_->Viewer()->Records().size()), records + 6);
}

TEST_F(GameFlow, WithTheBagEmptyTheGameEndsWhenARackIsEmptied) {
  StartWithRacks("CAT", "QQQQQQQ");
  engine_->GetBag().SetContents("");
  engine_->Submit(Across(7, 7, "CAT"));
  EXPECT_TRUE(engine_->IsGameOver());
  EXPECT_EQ(engine_->History().size(), 1u);  // no computer turn after the last move
}

TEST_F(GameFlow, ChangeNeedsMarkedTilesAndEnoughInTheBag) {
  StartWithRacks("CATSXYZ", "QQQQQQQ");
  engine_->Change("");
  EXPECT_EQ(window_.messages.back().text,
            "Select the tiles you wish to change by right-clicking\n"
            "the tile(s) on your rack to select or unselect");
  EXPECT_EQ(window_.messages.back().caption, "Change");
  engine_->GetBag().SetContents("ABCD");
  engine_->Change("CATSX");
  EXPECT_EQ(window_.messages.back(), (Message{"You cannot change as there not enough letters left",
                                              "Lumiquad", MessageIcon::None, false}));
  EXPECT_TRUE(engine_->History().empty());
  EXPECT_EQ(engine_->Human().rack, "CATSXYZ");
  EXPECT_EQ(engine_->GetBag().Size(), 4);

  // The whole rack, handed in as the rack itself: seven tiles go and seven come.
  engine_->GetBag().SetContents("EEEEEEEEE");
  EXPECT_TRUE(engine_->Change(engine_->Human().rack));
  EXPECT_EQ(engine_->Human().rack, "EEEEEEE");
  EXPECT_EQ(engine_->History().front().move.exchangedLetters, "CATSXYZ");
  EXPECT_EQ(engine_->GetBag().Size(), 9);
}

TEST_F(GameFlow, ConfigurationIsGuardedDuringAGame) {
  StartWithRacks("CATSXYZ", "QQQQQQQ");
  window_.messages.clear();
  EXPECT_FALSE(engine_->ChooseGameType(GameType::Scrabble));
  EXPECT_FALSE(engine_->AllowLetterFrequencyChange());
  EXPECT_FALSE(engine_->ClearBoardConfiguration());
  EXPECT_FALSE(engine_->UndoClearBoardConfiguration());
  EXPECT_FALSE(engine_->DefaultBoardConfiguration());
  EXPECT_FALSE(engine_->AllowSaveBoardConfiguration());
  EXPECT_FALSE(engine_->AllowChooseBoardConfiguration());
  const std::string configuration = "Changing the board configuration is not allowed during a game";
  EXPECT_EQ(window_.messages, (std::vector<Message>{
                                  {"Choosing the game type is not allowed during a game.",
                                   "Failure", MessageIcon::Information, false},
                                  {"Setting the letter frequencies during a game is not allowed.",
                                   "Failure", MessageIcon::Information, false},
                                  {"Clearing the board is not allowed during a game",
                                   "Default Board", MessageIcon::None, false},
                                  {configuration, "Undo Board", MessageIcon::None, false},
                                  {configuration, "Default Board", MessageIcon::None, false},
                                  {"Board configurations must be saved prior to a game",
                                   "Save Error", MessageIcon::None, false},
                                  {configuration, "Choose Board", MessageIcon::None, false},
                              }));
  engine_->EditSquare(0, 1, true);
  EXPECT_EQ(engine_->GetBoard().Cell(0, 1).character, '.');

  engine_->CloseGame();
  EXPECT_EQ(engine_->State(), GameState::NoGame);
  EXPECT_TRUE(engine_->AllowLetterFrequencyChange());
  EXPECT_TRUE(engine_->ChooseGameType(GameType::Scrabble));
  EXPECT_EQ(engine_->GetBoard().Cell(7, 7).character, '#');
  EXPECT_EQ(engine_->Bonus(), 50);
  EXPECT_TRUE(engine_->ClearBoardConfiguration());
  engine_->EditSquare(0, 1, true);
  EXPECT_EQ(engine_->GetBoard().Cell(0, 1).character, '=');

  // Outside a game the game's own commands do nothing.
  window_.messages.clear();
  engine_->Submit(Across(7, 7, "CAT"));
  engine_->Pass();
  engine_->Change("C");
  EXPECT_TRUE(engine_->History().empty());
  EXPECT_TRUE(window_.messages.empty());
  engine_->StartReview();
  EXPECT_EQ(window_.messages.back(),
            (Message{"No game to analyse", "Failure", MessageIcon::None, false}));
  engine_->CreateReport(false);
  EXPECT_EQ(window_.messages.back(),
            (Message{"Must be in a game", "Failure", MessageIcon::Information, false}));
}

TEST_F(GameFlow, ANewListIsTakenUnlessTheUserStopsItsPreparation) {
  WriteFile("other.txt", "ZEBRA\nZEBRAS\n");
  window_.stopWordListBuild = true;
  EXPECT_FALSE(engine_->SetDictionary(Path("other.txt")));
  EXPECT_TRUE(engine_->MainWords().ContainsWord("CAT"));
  window_.stopWordListBuild = false;
  EXPECT_TRUE(engine_->SetDictionary(Path("other.txt")));
  EXPECT_TRUE(engine_->MainWords().ContainsWord("ZEBRA"));
  EXPECT_EQ(window_.progressTold.back(), 100);
}

TEST_F(GameFlow, TheInformationLinesShowWhatTheHumanCannotSee) {
  StartWithRacks("CATSXYZ", "DOGRIAE");
  engine_->GetBag().SetContents("QWERTY");
  std::vector<std::string> lines = engine_->InformationLines(true);
  ASSERT_EQ(lines.size(), 5u + 24u + 1u);
  EXPECT_EQ(lines[0], "Player 1");
  EXPECT_EQ(lines[1], "0");
  EXPECT_EQ(lines[2], "Vazovi");
  EXPECT_EQ(lines[3], "0");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "ADEEG");  // the bag and the computer's rack, sorted
  EXPECT_EQ(lines[6], "IOQRR");
  EXPECT_EQ(lines[7], "TWY");
  EXPECT_EQ(lines[8], "");
  EXPECT_EQ(lines.back(), "Bonus = 50");
  EXPECT_EQ(engine_->InformationLines(false)[5], "ADEEGI");
  EXPECT_EQ(engine_->InformationLines(false).size(), 5u + 17u + 1u);

  engine_->CloseGame();
  lines = engine_->InformationLines(true);
  EXPECT_EQ(lines.size(), 5u + 24u + 1u);
  EXPECT_EQ(lines[5], "");
}

TEST_F(GameFlow, ANewGameDealsBothRacksFromAFullBag) {
  engine_->NewGame();
  EXPECT_EQ(engine_->Human().rack.size(), 7u);
  EXPECT_EQ(engine_->Computer().rack.size(), 7u);
  EXPECT_EQ(engine_->GetBag().Size(), 100 - 14);
  EXPECT_EQ(window_.title, "Welcome To Lumiquad!");
  EXPECT_EQ(window_.buttonMode, ButtonMode::Play);

  // When the computer draws the first move it plays at once.
  clock_.Set(test::SecondWhereFirst(false));
  engine_->NewGame();
  EXPECT_EQ(engine_->History().size(), 1u);
  EXPECT_EQ(engine_->History()[0].move.moverIndex, 1);
}

}  // namespace
}  // namespace lumiquad
