#include "ai/move_chooser.h"

#include <gtest/gtest.h>

#include "ai/ratings.h"
#include "model/bag.h"
#include "model/player.h"
#include "model/presets.h"
#include "support/board_picture.h"
#include "support/move_printer.h"

namespace lumiquad {
namespace {

TEST(Ratings, LeaveValuesAndTheirParts) {
  EXPECT_EQ(LeaveValue("", 1.0), 0);
  EXPECT_EQ(LeaveBalance("S"), -5);
  EXPECT_EQ(LeaveValue("S", 1.0), 8 + 5);  // synergy 8, balance -5
  EXPECT_EQ(LeaveBalance("?"), -5);
  EXPECT_EQ(LeaveValue("?", 2.0), (13 + 5) * 2.0);  // the blank bonus, weighted
  EXPECT_EQ(DuplicatePenalty("EEE"), 4);
  EXPECT_EQ(LeaveBalance("EEE"), 11);
  EXPECT_EQ(LeaveValue("EEE", 1.0), 3 - 11 - 4);
  EXPECT_EQ(LeaveValue("QU", 1.0), -16);
  EXPECT_EQ(DuplicatePenalty("??II"), 6.5 + 8);
  EXPECT_EQ(LeaveBalance("BCDFG"), 2 * 5 + 5);  // consonants only
  EXPECT_EQ(LeaveBalance("RST"), 2 * 3 + 5);    // an S, but the difference is 3
  EXPECT_EQ(LeaveValue("RETAINS", 1.0), 3 + 3 + 1 + 2 + 1 + 2 + 8 - 2 + 5);

  // No part of a rack is worth more than the rack's ceiling, which a lone S reaches.
  auto tilesOf = [](std::string_view rack) {
    LeaveTiles tiles;
    for (char tile : rack) tiles.Add(tile);
    return tiles;
  };
  EXPECT_EQ(LeaveValueCeiling(tilesOf("S"), 1.0), LeaveValue("S", 1.0));
  for (const std::string_view rack : {"RETAINS", "SS??EEA", "QUVWXYZ", "AEIOU?S", "BCDFGHS"}) {
    const double ceiling = LeaveValueCeiling(tilesOf(rack), 0.8);
    for (unsigned mask = 0; mask < 1u << rack.size(); ++mask) {
      std::string leave;
      for (std::size_t i = 0; i < rack.size(); ++i) {
        if ((mask >> i & 1) != 0) leave += rack[i];
      }
      EXPECT_LE(LeaveValue(leave, 0.8), ceiling) << rack << ": " << leave;
    }
  }
}

struct Table {
  explicit Table(GameType type) {
    ApplyGameType(type, board, bag, moveConfig);
    board.SetDictionaryRef(&words);
  }
  MemorySettingsStore store;
  FixedClock clock{1'700'000'000};
  CMoveRegConfig moveConfig{store};
  WordList words = test::Words({"CAT", "CATS", "SCAT", "TO"});
  Board board{store, nullptr};
  Bag bag{store, clock};
  Player human{store, false, bag};
  Player computer{store, true, bag};
};

TEST(Ratings, BoardOpennessOfTheBuiltInTypes) {
  Table scrabble(GameType::Scrabble);
  EXPECT_NEAR(BoardOpenness(scrabble.board, scrabble.bag, 50), 6833.22, 0.005);
  EXPECT_NEAR(BoardOpenness(scrabble.board, scrabble.bag, 50) * kLeaveWeightFactor, 1.0, 0.001);
  Table lumiquad(GameType::Lumiquad);
  EXPECT_NEAR(BoardOpenness(lumiquad.board, lumiquad.bag, 50), 7317.4, 0.05);
  // Tiles on the board and a different live layout do not change it: the start layout counts.
  test::LayPicture(lumiquad.board, {"CAT"});
  lumiquad.board.LayScrabble();
  EXPECT_NEAR(BoardOpenness(lumiquad.board, lumiquad.bag, 50), 7317.4, 0.05);
}

TEST(Ratings, HookRiskIsTheHookValueAboveTheMovesScore) {
  Table table(GameType::Scrabble);
  Move cat;
  cat.mainWord = "CAT";
  cat.row = 7;
  cat.column = 4;
  cat.directionText = "across";
  cat.total = 3;
  // The bag still holds S: CATS with its S on the centre's double word square after the word,
  // 6 x 2, and SCAT with its S on the double letter square before it, 6 + 1.
  EXPECT_DOUBLE_EQ(HookRisk(table.board, table.bag, cat), (12 + 7) / 2.0 - 3);
  cat.total = 10;
  EXPECT_EQ(HookRisk(table.board, table.bag, cat), 0);  // scores at least the average hook
  table.bag.SetBagLetters("AEIOU", false);              // no S left to hook
  cat.total = 3;
  EXPECT_EQ(HookRisk(table.board, table.bag, cat), 0);
  Move to;
  to.mainWord = "TO";
  to.row = 0;
  to.column = 13;
  to.directionText = "across";
  EXPECT_EQ(HookRisk(table.board, table.bag, to), 0);
}

// Candidates whose rating is their score: no leave and no hook.
std::vector<Move> Scored(std::initializer_list<int> totals, const char* word = "QQ") {
  std::vector<Move> moves;
  for (int total : totals) {
    Move move;
    move.mainWord = word;
    move.row = 7;
    move.column = 7;
    move.directionText = "across";
    move.rackBefore = "Q";
    move.total = total;
    move.placedLetters = std::to_string(moves.size());  // tells the moves apart
    moves.push_back(move);
  }
  return moves;
}

std::vector<Move> Descending(int count, const char* word = "QQ") {
  std::vector<Move> moves;
  for (int i = 0; i < count; ++i) {
    std::vector<Move> one = Scored({count - i}, word);
    one[0].placedLetters = std::to_string(i);
    moves.push_back(one[0]);
  }
  return moves;
}

TEST(MoveChooser, KeepsTheBestByScoreAndRanksThemBestFirst) {
  Table table(GameType::Scrabble);
  std::vector<Move> many;
  for (int i = 0; i < 250; ++i) many.push_back(Scored({(i * 37) % 250})[0]);
  MoveChooser chooser(many, 200, table.board, table.bag, table.computer, table.human, nullptr,
                      false, 50);
  ASSERT_EQ(chooser.Ranked().size(), 201u);
  EXPECT_EQ(chooser.KeepCount(), 200);
  for (std::size_t i = 0; i < chooser.Ranked().size(); ++i) {
    EXPECT_EQ(chooser.Ranked()[i].total, 249 - static_cast<int>(i));
    EXPECT_EQ(chooser.Ranked()[i].evaluation, chooser.Ranked()[i].total);
  }
  EXPECT_EQ(chooser.HighestMove().total, 249);
  EXPECT_EQ(chooser.FallbackMove().total, 0);

  // Of equal scores the moves found last are kept; of equal ratings the first found of them
  // ranks first. The fallback is the first found.
  std::vector<Move> ties;
  for (int i = 0; i < 203; ++i) {
    ties.push_back(Scored({i == 100 ? 8 : 7})[0]);
    ties.back().placedLetters = std::to_string(i);
  }
  MoveChooser tied(ties, 200, table.board, table.bag, table.computer, table.human, nullptr, false,
                   50);
  ASSERT_EQ(tied.Ranked().size(), 201u);
  EXPECT_EQ(tied.Ranked()[0].placedLetters, "100");
  EXPECT_EQ(tied.Ranked()[1].placedLetters, "2");
  EXPECT_EQ(tied.Ranked()[200].placedLetters, "202");
  EXPECT_EQ(tied.FallbackMove().placedLetters, "0");

  MoveChooser few(Scored({4, 9, 1}), 200, table.board, table.bag, table.computer, table.human,
                  nullptr, false, 50);
  ASSERT_EQ(few.Ranked().size(), 3u);
  EXPECT_EQ(few.KeepCount(), 3);
  EXPECT_EQ(few.Ranked()[0].total, 9);
  EXPECT_EQ(few.Ranked()[2].total, 1);

  // A good leave lifts a lower score above a higher one.
  std::vector<Move> leaves = Scored({20, 18});
  leaves[1].rackAfter = "?S";
  MoveChooser rated(leaves, 200, table.board, table.bag, table.computer, table.human, nullptr,
                    false, 50);
  EXPECT_EQ(rated.Ranked()[0].total, 18);
  EXPECT_GT(rated.Ranked()[0].evaluation, 18 + 20);

  MoveChooser none(std::vector<Move>{}, 200, table.board, table.bag, table.computer, table.human,
                   nullptr, false, 50);
  EXPECT_TRUE(none.Ranked().empty());
  EXPECT_EQ(none.ChooseMove(1).mainWord, "#");
  EXPECT_EQ(none.ChooseMove(1).total, 0);
}

// The second the clock must show for the next weak-play draw of level value v to come out
// strong (true) or weak (false).
std::int64_t SecondDrawing(int v, bool strong) {
  const int range = v == 10 ? 20 : v == 9 ? 6 : 2;
  const int strongDraw = v == 10 ? 5 : v == 9 ? 4 : 1;
  for (std::int64_t s = 1'700'000'000;; ++s) {
    if ((RandomInts(range, 5, FixedClock(s))[3] == strongDraw) == strong) return s;
  }
}

TEST(MoveChooser, LevelsTakeTheirPlaces) {
  Table table(GameType::Scrabble);
  auto choose = [&](const std::vector<Move>& moves, int level) {
    MoveChooser chooser(moves, 200, table.board, table.bag, table.computer, table.human, nullptr,
                        false, 50);
    return chooser.ChooseMove(level).total;
  };
  const std::vector<Move> three = Descending(3);
  EXPECT_EQ(choose(three, 1), 3);  // Genius: the best
  EXPECT_EQ(choose(three, 3), 1);  // Brilliant: the third
  EXPECT_EQ(choose(three, 4), 1);  // Excellent with 3: the last
  const std::vector<Move> twenty = Descending(20);
  EXPECT_EQ(choose(twenty, 2), 19);
  EXPECT_EQ(choose(twenty, 4), 17);
  table.clock.Set(SecondDrawing(5, true));
  EXPECT_EQ(choose(twenty, 5), 20 - 5);    // Advanced: place 6
  EXPECT_EQ(choose(Descending(9), 8), 1);  // Good with 9: the ninth, weak or not
  table.clock.Set(SecondDrawing(8, false));
  EXPECT_EQ(choose(Descending(9), 8), 1);
  EXPECT_EQ(choose(Descending(40), 50), 1);  // the hidden level with fewer than 51: the last
  table.clock.Set(SecondDrawing(8, true));
  EXPECT_EQ(choose(twenty, 0), 20 - 8);  // below 1: as Good
  EXPECT_EQ(choose(twenty, -3), 20 - 8);
}

TEST(MoveChooser, WeakPlayTakesALowScoringSimpleMove) {
  Table table(GameType::Scrabble);
  WordList simple = test::Words({"CAT"});
  std::vector<Move> moves = Descending(30);
  moves[27].mainWord = "CAT";  // score 3: simple and low
  moves[25].mainWord = "CAT";  // score 5
  moves[10].mainWord = "CAT";  // score 20: above bonus / 2
  auto choose = [&](int level, int bonus) {
    MoveChooser chooser(moves, 200, table.board, table.bag, table.computer, table.human, &simple,
                        false, bonus);
    return chooser.ChooseMove(level);
  };
  table.clock.Set(SecondDrawing(10, false));
  EXPECT_EQ(choose(10, 50).total, 3);  // from the bottom up: the first that qualifies
  table.clock.Set(SecondDrawing(10, true));
  EXPECT_EQ(choose(10, 50).total, 30 - 10);  // Learner's own place, 11

  // Far ahead the computer plays weak whatever the draw; far behind it never does.
  table.computer.score = 160;
  table.human.score = 100;
  EXPECT_EQ(choose(10, 50).total, 3);
  table.clock.Set(SecondDrawing(10, false));
  table.computer.score = 40;
  EXPECT_EQ(choose(10, 50).total, 20);
  // With a bonus of 35 the score difference changes nothing; weak play then takes at most 17.
  moves[27].total = 18;
  moves[25].total = 17;
  EXPECT_EQ(choose(10, 35).total, 17);

  // No simple move low enough: the lowest-scoring candidate of all.
  table.computer.score = table.human.score = 0;
  table.clock.Set(SecondDrawing(10, false));
  MoveChooser noSimple(moves, 200, table.board, table.bag, table.computer, table.human, nullptr,
                       false, 50);
  EXPECT_EQ(noSimple.ChooseMove(10).total, noSimple.FallbackMove().total);
  EXPECT_EQ(noSimple.FallbackMove().total, 1);

  // Two choices in the same second draw the same numbers.
  EXPECT_EQ(choose(9, 50), choose(9, 50));
}

TEST(MoveChooser, TheFilterPassesOverListedWords) {
  Table table(GameType::Scrabble);
  std::vector<Move> moves = Descending(12, "SHIT");
  moves[3].mainWord = "SCUM";
  moves[3].crossWords = {"ZOO"};  // a listed main word with an unlisted cross word is played
  moves[5].mainWord = "QUIZ";
  moves[11].mainWord = "CUNT";
  auto choose = [&](const std::vector<Move>& list, int level, bool filter) {
    MoveChooser chooser(list, 200, table.board, table.bag, table.computer, table.human, nullptr,
                        filter, 50);
    return chooser.ChooseMove(level);
  };
  EXPECT_EQ(choose(moves, 1, true).mainWord, "SCUM");  // Genius plays no listed word
  EXPECT_EQ(choose(moves, 1, false).mainWord, "SHIT");
  EXPECT_EQ(choose(moves, 4, true).mainWord, "SCUM");
  table.clock.Set(SecondDrawing(7, true));
  EXPECT_EQ(choose(moves, 5, true).mainWord, "QUIZ");  // the entry at index 5
  EXPECT_EQ(choose(moves, 7, true).mainWord, "CUNT");  // the last entry is never passed over

  moves = Descending(3, "PISS");
  EXPECT_EQ(choose(moves, 1, true).mainWord, "PISS");
  EXPECT_EQ(choose(moves, 1, true).total, 1);

  EXPECT_TRUE(AllWordsFiltered(moves[0]));
  moves[0].crossWords = {"Arse", "shit"};
  EXPECT_TRUE(AllWordsFiltered(moves[0]));
  moves[0].mainWord = "PISSED";
  EXPECT_FALSE(AllWordsFiltered(moves[0]));
}

}  // namespace
}  // namespace lumiquad
