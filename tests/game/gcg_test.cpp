#include "game/gcg.h"

#include <array>
#include <map>
#include <sstream>

#include "game_fixture.h"
#include "settings/program_paths.h"
#include "tools/cli/selfplay.h"

namespace lumiquad {
namespace {

class Gcg : public test::GameTest {};

TEST_F(Gcg, AHandWrittenGameIsWrittenLineByLine) {
  StartWithRacks("CATXYZ?", "QQQQQQQ");  // the computer can only pass
  engine_->Submit(Across(3, 12, "CAT"));
  engine_->Human().rack = "XYZ?GE";
  TurnTiles tag;  // down the right edge through the T, the blank as A
  tag.snapped = {{4, 14, '?', true}, {5, 14, 'G', false}};
  window_.blankLetters = {'A'};
  engine_->Submit(tag);
  engine_->Change("XYZ");
  engine_->Pass();
  engine_->Human().rack = "TODQQQQ";
  engine_->Submit(Across(2, 12, "TOD"));  // DTAG is no word: refused and withdrawn
  EXPECT_EQ(engine_->GcgText(),
            "#character-encoding UTF-8\n"
            "#player1 Player1 Player 1\n"
            "#player2 Vazovi Vazovi\n"
            "#description Lumiquad game on the Lumiquad board, full-rack bonus 50; moves on its "
            "quadruple and penalty squares score as Lumiquad scores them\n"
            ">Player1: CATXYZ? 4M CAT +5 5\n"
            ">Vazovi: QQQQQQQ - +0 0\n"
            ">Player1: XYZ?GE O4 .aG +4 9\n"
            ">Vazovi: QQQQQQQ - +0 0\n"
            ">Player1: XYZETM -XYZ +0 9\n"
            ">Vazovi: QQQQQQQ - +0 0\n"
            ">Player1: ETMHLS - +0 9\n"
            ">Vazovi: QQQQQQQ - +0 0\n"
            "#note Player1 tried 3M TOD, which the word list refused; the turn stayed with "
            "Player1\n");
  // Ended on scoreless turns: each rack left is an end line worth nothing, and a reader that
  // stops at six scoreless turns is told why there are more.
  for (int pass = 0; pass < 3; ++pass) engine_->Pass();
  ASSERT_TRUE(engine_->IsGameOver());
  const std::string gcg = engine_->GcgText();
  EXPECT_EQ(gcg.substr(gcg.find("#note The game")),
            "#note The game is over; Lumiquad adjusts no score at the end, so each end line adds "
            "0\n"
            "#note It ended on scoreless turns: 11 in a row, at least three by each player\n"
            ">Player1: TODQQQQ (DOQQQQT) +0 9\n"
            ">Vazovi: QQQQQQQ (QQQQQQQ) +0 0\n");
  EXPECT_EQ(GcgNickname("Ann Lee:", 1), "AnnLee");
  EXPECT_EQ(GcgNickname(" ", 2), "player2");
  // Names break no line and no reader: line breaks of every kind become spaces, bytes that are
  // no UTF-8 U+FFFD, and a nickname is printable ASCII alone.
  MoveRecord big;
  big.move.total = 1'000'000'000;
  big.move.placedLetters = "CAT";
  big.move.row = big.move.column = 7;
  big.move.directionText = "across";
  GcgGame named;
  named.records = {big, big, big};
  named.humanName = "Ann\r\vLee\xC2\xA0Zo\xEB\xE2\x80\xA8";
  named.computerName = "Bob";
  named.description = "a\nb";
  EXPECT_EQ(FormatGcg(named),
            "#character-encoding UTF-8\n"
            "#player1 AnnLeeZo Ann  Lee\xC2\xA0Zo\xEF\xBF\xBD \n"
            "#player2 Bob Bob\n"
            "#description a b\n"
            ">AnnLeeZo:  8H CAT +1000000000 1000000000\n"
            ">AnnLeeZo:  8H CAT +1000000000 2000000000\n"
            ">AnnLeeZo:  8H CAT +1000000000 3000000000\n");

  // Through the menu command: written where the dialog says.
  window_.paths = {Path("game.gcg")};
  engine_->ExportGcg();
  EXPECT_EQ(window_.dialogs.back().defaultExtension, ".gcg");
  EXPECT_EQ(ReadFile("game.gcg"), engine_->GcgText());
}

// A record as another program writes it: plays through tiles and with a blank, an exchange, a
// pass, a withdrawn phony, a challenge bonus and end lines, a word the list lacks.
constexpr const char* kRecord =
    "\xEF\xBB\xBF#character-encoding UTF-8\r\n"
    "#player1 Ann Ann Lee\n"
    "#player2 Bob Bob Roe\n"
    "#lexicon TWL\n"
    "#description A club game\n"
    ">Ann: ACEIRST 8G CAT +10 10\n"
    ">Bob: DGOSXYZ H7 D.G +5 5\n"
    ">Ann: EINORS? 9F dO. +9 19\n"
    ">Bob: ABOSXYZ -XYZ +0 5\n"
    "#note Ann thinks\n"
    ">Ann: EINRSTU - +0 19\n"
    ">Bob: ABEEFOS 8G ...B +8 13\n"
    ">Bob: ABEEFOS -- -8 5\n"
    ">Ann: EINRSTU (challenge) +5 24\n"
    ">Ann: (ABEEFOS) +24 48\n"
    ">Bob: ABEEFOS (ABEEFOS) -12 -7\n";

TEST_F(Gcg, ARecordFromElsewhereIsReplayedForReview) {
  StartWithRacks("CATSXYZ", "DOGRIAE");
  const std::string running = engine_->GameText();
  // Refused with the line and the reason, and the running game stays as it was.
  const std::pair<std::string, std::string> refused[] = {
      {"8G CAT +10 10", "8G CAT +11 11"},
      {"8G CAT +10 10", "8M CATS +10 10"},
      {"H7 D.G +5 5", "A1 DOG +5 5"},
      {"DGOSXYZ", "DGQQSXY"},
      {"+0 19\n>Bob", "+0 20\n>Bob"},
      {">Bob: DGOSXYZ", ">Rob: DGOSXYZ"},
      {"-- -8 5", "-- -9 4"},
  };
  const std::string whys[] = {
      "line 6: the score 11 does not add up: the play scores 10",
      "line 6: the word runs off the board",
      "line 7: the play touches no tile on the board",
      "line 7: the rack holds tiles not in the bag",
      "line 11: the total 20 does not add up: the moves make 19",
      "line 7: no #player line names \"Rob\"",
      "line 13: the withdrawal takes back another score than the play's",
  };
  for (std::size_t i = 0; i < std::size(refused); ++i) {
    std::string text = kRecord;
    text.replace(text.find(refused[i].first), refused[i].first.size(), refused[i].second);
    std::string why;
    EXPECT_FALSE(engine_->ImportGcgText(text, &why));
    EXPECT_EQ(why, whys[i]);
    EXPECT_TRUE(engine_->GameText() == running);
  }

  std::string why;
  ASSERT_TRUE(engine_->ImportGcgText(kRecord, &why)) << why;
  EXPECT_EQ(engine_->State(), GameState::GameOver);
  EXPECT_EQ(engine_->Human().Name(), "Ann Lee");
  EXPECT_EQ(engine_->Human().score, 48);
  EXPECT_EQ(engine_->Computer().score, -7);
  ASSERT_EQ(engine_->History().size(), 6u);
  EXPECT_TRUE(engine_->History()[3].move.isExchange);
  EXPECT_TRUE(engine_->History()[4].move.isPass);
  EXPECT_TRUE(engine_->History()[5].move.invalid);
  EXPECT_EQ(engine_->History()[2].move.blank1, 0);
  EXPECT_FALSE(engine_->History()[0].analysis.Ranked().empty());  // reviewed as any game
  EXPECT_FALSE(engine_->GetBoard().Cell(7, 9).HasTile());         // the phony is gone
  EXPECT_TRUE(engine_->GetBoard().Cell(8, 5).blank);
  EXPECT_NE(window_.log.find("(not in the word list: DAG)"), std::string::npos);
  EXPECT_EQ(engine_->History()[5].move.mainWord, "CATB");

  // Damaged copies never crash or hang the reader: they are read or refused.
  std::uint32_t seed = 99;
  auto next = [&](std::size_t below) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<std::size_t>(seed >> 4) % below;
  };
  const std::string pieces[] = {"",   " ",   "\n",          "-",     "--", "(",
                                ")",  "+",   "99999999999", ":",     "?",  ".",
                                "8H", "Z15", "#player1 X",  ">Ann:", "\r"};
  for (int round = 0; round < 1500; ++round) {
    std::string text = kRecord;
    for (std::size_t edits = 1 + next(4); edits > 0; --edits) {
      const std::size_t at = next(text.size());
      text.replace(at, next(4), pieces[next(std::size(pieces))]);
    }
    engine_->ImportGcgText(text);
  }
}

// A small GCG reader: replays every play on an empty board at its coordinates (a '.' must find
// a tile there, a letter an empty square) and checks each running total; answers the final
// totals by nickname, or the first fault.
std::map<std::string, int> Replay(const std::string& gcg, std::string& fault) {
  std::array<std::string, kBoardSize> board;
  board.fill(std::string(kBoardSize, ' '));
  std::map<std::string, int> totals;
  std::vector<std::pair<int, int>> lastLaid;
  int lastScore = 0;
  std::istringstream lines(gcg);
  for (std::string line; std::getline(lines, line) && fault.empty();) {
    if (line.empty() || line[0] != '>') continue;
    std::istringstream words(line.substr(1));
    std::string nick, rack, first;
    words >> nick >> rack >> first;
    nick.pop_back();  // the ':'
    std::vector<std::string> rest;
    for (std::string word; words >> word;) rest.push_back(word);
    int score = 0;
    if (rack[0] == '(') {
      score = std::stoi(first);  // an end line after a player went out
    } else if (first[0] == '(') {
      score = std::stoi(rest.at(0));  // an end line of a rack left after scoreless turns
    } else if (first == "--") {
      score = -lastScore;
      for (auto [r, c] : lastLaid) board[r][c] = ' ';
    } else if (first[0] != '-') {
      GcgPosition at;
      if (!ParseGcgPosition(first, at) || rest.size() != 3) {
        fault = "no play: " + line;
        break;
      }
      lastLaid.clear();
      int r = at.row, c = at.column;
      for (char letter : rest[0]) {
        if (!Board::OnBoard(r, c) || (letter == '.') != (board[r][c] != ' ')) {
          fault = "does not fit the board: " + line;
          break;
        }
        if (letter != '.') {
          board[r][c] = letter;
          lastLaid.emplace_back(r, c);
        }
        (at.direction == 0 ? c : r) += 1;
      }
      rest.erase(rest.begin());
      score = std::stoi(rest[0]);
      lastScore = score;
    } else {
      score = std::stoi(rest.at(0));
    }
    totals[nick] += score;
    if (totals[nick] != std::stoi(rest.back())) fault = "running total wrong: " + line;
  }
  return totals;
}

TEST(GcgExport, EverySelfPlayedGameReadsBackOnItsSquares) {
  const std::string folder =
      std::filesystem::temp_directory_path() / ("lumiquad-gcg-" + std::to_string(::getpid()));
  for (int level : {1, 5, 8, 10, 50}) {
    for (GameType type : {GameType::Lumiquad, GameType::Scrabble, GameType::Literati}) {
      SelfPlayOptions options;
      options.levelValue = level;
      options.type = type;
      options.checks = false;
      options.seed = 1'700'000'000 + level * 100;
      options.saveDir = folder;
      options.dictionary = DataFilePath("dictionary.txt");
      options.simpleWords = DataFilePath("simple.dat");
      std::filesystem::create_directories(folder);
      ASSERT_TRUE(RunSelfPlay(options).saved);

      MemorySettingsStore store;
      FixedClock clock(1);
      CMoveRegConfig moveConfig(store);
      ScriptedWindow window;
      GameEngine engine(store, clock, moveConfig, window, options.dictionary, options.simpleWords);
      ASSERT_TRUE(engine.LoadGameFile(folder + "/game-1.lqg"));
      std::string fault;
      // The board is the game's own, whatever the settings (here the defaults) say.
      EXPECT_NE(engine.GcgText().find("on the " + std::string(GameTypeName(type)) + " board"),
                std::string::npos);
      std::map<std::string, int> totals = Replay(engine.GcgText(), fault);
      EXPECT_EQ(fault, "") << "level " << level << ", " << GameTypeName(type);
      EXPECT_EQ(totals[GcgNickname(engine.Human().Name(), 1)], engine.Human().score);
      EXPECT_EQ(totals[GcgNickname(engine.Computer().Name(), 2)], engine.Computer().score);

      // Imported again: the same board, scores and moves, every position with its analysis.
      ScriptedWindow importWindow;
      GameEngine imported(store, clock, moveConfig, importWindow, options.dictionary,
                          options.simpleWords);
      std::string why;
      ASSERT_TRUE(imported.ImportGcgText(engine.GcgText(), &why)) << why;
      EXPECT_EQ(imported.GetBoard().Squares(), engine.GetBoard().Squares());
      EXPECT_EQ(imported.Human().score, engine.Human().score);
      EXPECT_EQ(imported.Computer().score, engine.Computer().score);
      ASSERT_EQ(imported.History().size(), engine.History().size());
      for (std::size_t i = 0; i < engine.History().size(); ++i) {
        const Move& was = engine.History()[i].move;
        const Move& is = imported.History()[i].move;
        EXPECT_EQ(std::tie(is.placedLetters, is.row, is.column, is.directionText, is.total,
                           is.isPass, is.isExchange, is.moverIndex, is.blank1, is.blank2),
                  std::tie(was.placedLetters, was.row, was.column, was.directionText, was.total,
                           was.isPass, was.isExchange, was.moverIndex, was.blank1, was.blank2))
            << "move " << i;
        EXPECT_FALSE(imported.History()[i].analysis.Ranked().empty() && !is.isPass);
      }

      // Damaged copies of the game: whatever the reader takes, the writer makes whole lines.
      const std::string good = engine.GameText();
      std::vector<std::size_t> starts = {0};
      for (std::size_t at = 0; (at = good.find('\n', at)) != std::string::npos; ++at) {
        starts.push_back(at + 1);
      }
      const char* const damage[] = {
          "2147483647", "-2147483648", "1000000000", "-1000000000",
          "-1",         "acrosz",      "",           "A\rB\vC\xC2\xA0\xE2\x80\xA8\xEB"};
      std::uint32_t seed =
          static_cast<std::uint32_t>(level) * 7u + static_cast<std::uint32_t>(type);
      auto next = [&](std::size_t below) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<std::size_t>(seed >> 4) % below;
      };
      for (int round = 0; round < 40; ++round) {
        std::string text = good;
        for (std::size_t edits = 1 + next(3); edits > 0; --edits) {
          const std::size_t line = next(starts.size() - 1);
          const std::size_t end = text.find('\n', std::min(starts[line], text.size()));
          if (end == std::string::npos) continue;
          const std::size_t from = std::min(starts[line], end);
          text.replace(from, end - from, damage[next(std::size(damage))]);
        }
        if (!engine.LoadGameText(text)) continue;
        const std::string gcg = engine.GcgText();
        std::istringstream lines(gcg);
        for (std::string line; std::getline(lines, line);) {
          ASSERT_TRUE(!line.empty() && (line[0] == '#' || line[0] == '>')) << line;
          for (char c : line) ASSERT_GE(static_cast<unsigned char>(c), 0x20u) << line;
        }
      }
    }
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace lumiquad
