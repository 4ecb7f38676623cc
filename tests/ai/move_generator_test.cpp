#include "ai/move_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <tuple>

#include "ai/rack_leaves.h"
#include "rules/evaluate_placement.h"
#include "support/board_picture.h"
#include "support/move_printer.h"

namespace lumiquad {
namespace {

using test::CopyGrids;
using test::LayPicture;

// What makes two moves the same play, whichever square their record starts from.
struct PlayKey {
  int direction;
  std::vector<std::tuple<int, int, char, bool>> tiles;  // square, letter, blank
  std::string mainWord;
  int total;
  std::vector<std::string> crossWords;
  std::vector<std::int32_t> crossScores;
  std::string leave;  // sorted
  friend auto operator<=>(const PlayKey&, const PlayKey&) = default;
};

void PrintTo(const PlayKey& key, std::ostream* out) {
  *out << (key.direction == 0 ? "across " : "down ") << key.mainWord << "=" << key.total << " [";
  for (const auto& [r, c, letter, blank] : key.tiles) {
    *out << " " << r << "," << c << ":" << (blank ? static_cast<char>(letter + 32) : letter);
  }
  *out << " ] leave " << key.leave;
}

PlayKey KeyOf(const Board& board, const Move& move) {
  PlayKey key{move.Direction(), {}, move.mainWord, move.total, move.crossWords, move.crossScores,
              move.rackAfter};
  std::sort(key.leave.begin(), key.leave.end());
  int r = move.row;
  int c = move.column;
  for (std::size_t i = 0; i < move.placedLetters.size();
       r += key.direction, c += 1 - key.direction) {
    if (board.Cell(r, c).HasTile()) continue;
    const bool blank = static_cast<int>(i) == move.blank1 || static_cast<int>(i) == move.blank2;
    key.tiles.emplace_back(r, c, move.placedLetters[i], blank);
    ++i;
  }
  return key;
}

// The slow, independent search: every empty start square, both directions, every ordered
// choice of rack tiles with every letter for each blank, kept when the evaluator finds it legal.
std::set<PlayKey> BruteForce(Board& board, const std::string& rack, const std::string& letters) {
  std::set<PlayKey> found;
  std::string chosen;
  std::vector<bool> used(rack.size(), false);
  std::vector<int> blanks;
  std::function<void()> extend = [&] {
    if (!chosen.empty()) {
      for (int direction = 0; direction < 2; ++direction) {
        for (int r = 0; r < kBoardSize; ++r) {
          for (int c = 0; c < kBoardSize; ++c) {
            if (board.Cell(r, c).HasTile()) continue;
            Placement placement{chosen,
                                r,
                                c,
                                direction,
                                blanks.size() > 0 ? blanks[0] : -1,
                                blanks.size() > 1 ? blanks[1] : -1};
            // As a trial, the rack is handed over as the placed letters and the tiles left.
            std::string handed = chosen;
            for (std::size_t i = 0; i < rack.size(); ++i) {
              if (!used[i]) handed += rack[i];
            }
            Move move =
                EvaluatePlacement(board, placement, handed, {.checkWords = true, .trial = true});
            if (!move.invalid &&
                board.IsConnected(r, c, direction, static_cast<int>(chosen.size()))) {
              found.insert(KeyOf(board, move));
            }
          }
        }
      }
    }
    for (std::size_t i = 0; i < rack.size(); ++i) {
      if (used[i]) continue;
      used[i] = true;
      if (rack[i] == '?') {
        for (char letter : letters) {
          chosen += letter;
          blanks.push_back(static_cast<int>(chosen.size()) - 1);
          extend();
          blanks.pop_back();
          chosen.pop_back();
        }
      } else {
        chosen += rack[i];
        extend();
        chosen.pop_back();
      }
      used[i] = false;
    }
  };
  extend();
  return found;
}

class Generation : public ::testing::Test {
 protected:
  void SetUp() override {
    board_.SetDictionaryRef(&words_);
    board_.LayScrabble();
    board_.SaveSnapshot();
  }

  MemorySettingsStore store_;
  WordList words_ =
      test::Words({"AT",    "TA",    "AE",    "EA",   "TE",    "ET",   "ATE", "TEA",  "EAT",
                   "ETA",   "TAE",   "SEAT",  "EATS", "SATE",  "EAST", "SET", "TES",  "ETAS",
                   "TEAS",  "ATES",  "SEA",   "TAS",  "ES",    "AS",   "TAT", "TATE", "TEAT",
                   "TEATS", "STATE", "TASTE", "ST",   "SEATS", "AA",   "TASS"});
  Board board_{store_, nullptr};
};

TEST_F(Generation, FindsExactlyTheLegalMovesOfABruteForceSearch) {
  const std::vector<std::vector<std::string>> boards = {
      {"", "", "", "", "", "", "", "......SEAT"},
      {"", "", "", "", "", "....T", "....E", "...SEAT", "......S", "......T"},
      {"TEA", "A", "S", "", "", "", "", "", "", "", "", "", "", "............E", "...........SET"},
      {"", "", "", "", "", "", "......e.", ".....sat", "......t"},
      // Anchors close together: the free squares between two of them take left parts.
      {"", "", "", "", "", "", "", "..A...T", "", "", "T", "", "", "", "A"},
      // Beside the edge and near the top: the Lumiquad board's penalty and quadruple squares.
      {"", "", "......EAT", "", "", "", ".EAT"},
  };
  const std::vector<std::string> racks = {"TAE", "S?T", "A??", "ESTA"};
  // On the Scrabble board, then on the Lumiquad board (quadruple and penalty squares) with a
  // list that also holds one-letter words.
  for (const GameType type : {GameType::Scrabble, GameType::Lumiquad}) {
    if (type == GameType::Lumiquad) {
      words_.AddWord("A");
      words_.AddWord("T");
    }
    for (const auto& picture : boards) {
      for (const std::string& rack : racks) {
        board_.LayBuiltIn(type);
        LayPicture(board_, picture);
        const test::GridCopy before = CopyGrids(board_);
        const Candidates candidates = FindCandidates(board_, rack, 50);
        EXPECT_EQ(CopyGrids(board_), before);
        // The score the search ranks by is the one the evaluator gives.
        for (const Candidate& candidate : candidates.Items()) {
          EXPECT_EQ(candidate.total, candidates.ToMove(candidate).total)
              << std::string(candidate.word.data(), candidate.length);
        }
        std::vector<Move> generated = candidates.ToMoves();

        std::vector<PlayKey> keys;
        for (const Move& move : generated) keys.push_back(KeyOf(board_, move));
        std::set<PlayKey> unique(keys.begin(), keys.end());
        EXPECT_EQ(unique.size(), keys.size()) << "a play found twice, rack " << rack;
        std::set<PlayKey> expected = BruteForce(board_, rack, "AEST");
        EXPECT_EQ(CopyGrids(board_), before);
        EXPECT_EQ(unique, expected) << "rack " << rack << " on board " << picture.back();
        EXPECT_GT(expected.size(), 0u);
      }
    }
  }
}

TEST_F(Generation, EveryCandidateIsWhatTheEvaluatorMakesOfIt) {
  LayPicture(board_, {"", "", "", "", "", "....T", "....E", "...SEAT", "......S", "......T"});
  board_.SquareAt(2, 2)->blank = 1;  // a stale flag on an empty square must not count
  board_.SaveSnapshot();
  board_.SetMover(1);
  for (const char* rack : {"TAES", "E?S?", "ATTEST"}) {
    std::vector<Move> generated = GenerateMoves(board_, rack, 50);
    ASSERT_FALSE(generated.empty());
    for (const Move& move : generated) {
      // The search hands the evaluator the placed letters and then the rack left.
      const std::string handed =
          move.placedLetters + move.rackBefore.substr(move.placedLetters.size());
      Move evaluated = EvaluatePlacement(
          board_,
          {move.placedLetters, move.row, move.column, move.Direction(), move.blank1, move.blank2},
          handed, {.checkWords = true, .trial = true, .bonus = 50});
      EXPECT_EQ(evaluated, move) << DescribeMove(move, 0, true);
    }
  }
}

TEST_F(Generation, TheSearchOrderIsRowsThenColumnsTreeOrderRealTileFirst) {
  board_.LayLayout(std::string(225, '.'));
  WordList words = test::Words({"AT", "TA"});
  board_.SetDictionaryRef(&words);
  MarkCentreAnchor(board_);
  std::vector<Move> moves = GenerateMoves(board_, "AT", 50);
  std::vector<std::string> described;
  for (const Move& move : moves) described.push_back(DescribeMove(move, 0, true));
  EXPECT_EQ(described, (std::vector<std::string>{"(8H,across) AT   = 2", "(8H,across) TA   = 2",
                                                 "(7H,across) AT   = 2", "(7H,across) TA   = 2"}));
  EXPECT_EQ(moves[1].rackBefore, "TA");  // the rack copy turned as the A was tried first

  // A blank is tried after the real tile, for every letter the tree allows.
  MarkCentreAnchor(board_);
  std::vector<Move> blank = GenerateMoves(board_, "A?", 50);
  ASSERT_EQ(blank.size(), 4u);
  EXPECT_EQ(blank[0].mainWord, "AT");
  EXPECT_EQ(blank[0].blank1, 1);
  EXPECT_EQ(blank[0].total, 1);
  EXPECT_EQ(blank[1].mainWord, "TA");
  EXPECT_EQ(blank[1].blank1, 0);
  EXPECT_EQ(blank[1].rackBefore, "?A");

  // Two blanks find a word more than once, each time with its own blanks and score.
  MarkCentreAnchor(board_);
  std::vector<Move> twice = GenerateMoves(board_, "A??", 50);
  const auto at = std::count_if(twice.begin(), twice.end(),
                                [](const Move& m) { return m.mainWord == "AT" && m.column == 7; });
  EXPECT_EQ(at, 2);  // real A and blank T, blank A and blank T
}

TEST_F(Generation, AFirstMoveLiesAcrossTheCentre) {
  MarkCentreAnchor(board_);
  std::vector<Move> moves = GenerateMoves(board_, "SEATZZX", 50);
  ASSERT_FALSE(moves.empty());
  for (const Move& move : moves) {
    EXPECT_EQ(move.row, 7);
    EXPECT_EQ(move.directionText, "across");
    EXPECT_LE(move.column, 7);
    EXPECT_GT(move.column + static_cast<int>(move.mainWord.size()), 7);
  }
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) EXPECT_EQ(board_.Cell(r, c).anchor, 0);
  }
  // Without the centre mark an empty board has no anchor at all.
  EXPECT_TRUE(GenerateMoves(board_, "SEAT", 50).empty());
}

TEST_F(Generation, TilesBeforeAnAnchorStartItsWords) {
  // QX starts no word: nothing is found on the squares around it in its row. EA does: EAT and
  // EATS grow from it, TEA lays a tile before it.
  LayPicture(board_, {"", "", "", "", "", "", "", "..QX.......EA"});
  std::vector<Move> moves = GenerateMoves(board_, "TS", 50);
  for (const Move& move : moves) {
    if (move.directionText != "across" || move.row != 7) continue;
    EXPECT_GT(move.column, 4) << DescribeMove(move, 0, false);
  }
  auto found = [&](const char* word, int column) {
    return std::any_of(moves.begin(), moves.end(), [&](const Move& m) {
      return m.mainWord == word && m.row == 7 && m.column == column;
    });
  };
  EXPECT_TRUE(found("EAT", 11));
  EXPECT_TRUE(found("EATS", 11));  // ends on the last column
  EXPECT_TRUE(found("TEA", 10));
}

TEST_F(Generation, BlanksStandOnlyForTileLetters) {
  WordList words = test::Words({"AT", "aT", "A-T", "Ab"});
  board_.SetDictionaryRef(&words);
  LayPicture(board_, {"", "", "", "", "", "", "", ".......A"});
  for (const Move& move : GenerateMoves(board_, "??", 50)) {
    for (char letter : move.placedLetters) EXPECT_TRUE(letter >= 'A' && letter <= 'Z');
  }
  EXPECT_TRUE(GenerateMoves(board_, "", 50).empty());
  board_.SetDictionaryRef(nullptr);
  EXPECT_TRUE(GenerateMoves(board_, "T", 50).empty());
}

TEST_F(Generation, AReusedListHoldsOnlyTheNewSearch) {
  LayPicture(board_, {"", "", "", "", "", "", "", "......SEAT"});
  Candidates list = FindCandidates(board_, "TAE?", 50);
  ASSERT_GT(list.Size(), 2u);
  FindCandidates(board_, "T", 50, list);
  EXPECT_EQ(list.ToMoves(), GenerateMoves(board_, "T", 50));
  FindCandidates(board_, "TAE?S", 50, list);
  EXPECT_EQ(list.ToMoves(), GenerateMoves(board_, "TAE?S", 50));
}

// Every leave of a rack is valued once, a repeated tile counted once per number kept, and the
// best exchange is the best of all the ways to keep fewer than every tile.
TEST(RackLeaves, TheBestExchangeIsTheBestOfEveryWayToKeepTiles) {
  auto value = [](std::string_view leave) {
    double worth = 0;
    for (char tile : leave) worth += tile == '?' ? 9 : tile == 'S' ? 4 : tile == 'Q' ? -7 : -1;
    return worth - (std::adjacent_find(leave.begin(), leave.end()) != leave.end() ? 3 : 0);
  };
  for (const std::string rack : {"QSS?IIU", "EEEEEEE", "Q", "AB?"}) {
    RackLeaves leaves;
    leaves.Build(rack, value);
    double best = -1e9;
    for (unsigned kept = 0; kept + 1 < (1u << rack.size()); ++kept) {
      std::string leave;
      for (std::size_t i = 0; i < rack.size(); ++i) {
        if ((kept >> i & 1) != 0) leave += rack[i];
      }
      std::sort(leave.begin(), leave.end(),
                [](char a, char b) { return (a == '?') != (b == '?') ? b == '?' : a < b; });
      best = std::max(best, value(leave));
    }
    std::string keep;
    std::string exchange;
    double worth = 0;
    ASSERT_TRUE(leaves.BestExchange(keep, exchange, worth)) << rack;
    EXPECT_EQ(worth, best) << rack;
    EXPECT_EQ(value(keep), best) << rack;
    std::string both = keep + exchange;
    std::string sorted = rack;
    std::sort(both.begin(), both.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(both, sorted) << rack;
    EXPECT_FALSE(exchange.empty()) << rack;
  }
  RackLeaves empty;
  empty.Build("", value);
  std::string keep;
  std::string exchange;
  double worth = 0;
  EXPECT_FALSE(empty.BestExchange(keep, exchange, worth));
}

}  // namespace
}  // namespace lumiquad
