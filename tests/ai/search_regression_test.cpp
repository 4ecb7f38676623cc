#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "ai/move_chooser.h"
#include "ai/move_generator.h"
#include "ai/play_outs.h"
#include "ai/rack_leaves.h"
#include "ai/ratings.h"
#include "ai/scratch_board.h"
#include "bench/position_file.h"
#include "model/bag.h"
#include "model/board.h"
#include "model/player.h"
#include "model/presets.h"
#include "reference_search.h"
#include "settings/program_paths.h"
#include "support/move_printer.h"
#include "words/word_list.h"

namespace lumiquad {
namespace {

// A 64-bit FNV-1a hash of everything a candidate list says, in its order.
std::uint64_t Fingerprint(const std::vector<Move>& moves) {
  std::uint64_t hash = 1469598103934665603ull;
  auto add = [&](const std::string& text) {
    for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    hash = (hash ^ 0xff) * 1099511628211ull;
  };
  for (const Move& move : moves) {
    add(DescribeMove(move, 0, true));
    add(move.rackBefore);
    add(move.placedLetters + std::to_string(move.blank1) + std::to_string(move.blank2));
    for (const std::string& word : move.crossWords) add(word);
  }
  return hash;
}

// Lays a position of the benchmark set on the board, over the Scrabble layout.
void Lay(Board& board, const BenchPosition& position) {
  board.LayScrabble();
  LayPosition(board, position);
}

class SearchRegression : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream in(std::string(LUMIQUAD_SOURCE_DIR) + "/bench/positions.txt");
    std::stringstream text;
    text << in.rdbuf();
    file_ = ParsePositions(text.str(), "positions.txt");
    ASSERT_TRUE(file_.error.empty()) << file_.error;
    ApplyGameType(GameType::Scrabble, board_, bag_, moveConfig_);
    board_.SetDictionaryRef(&words_);
  }

  PositionFileResult file_;
  WordList words_ = LoadWordList(DataFilePath("dictionary.txt"));
  MemorySettingsStore store_;
  FixedClock clock_{1};
  CMoveRegConfig moveConfig_{store_};
  Board board_{store_, nullptr};
  Bag bag_{store_, clock_};
};

// The best `count` of a full list by score plus leave value, equal ones in the search's order.
std::vector<std::pair<double, Candidate>> BestOf(const Candidates& all, const RackLeaves& leaves,
                                                 int count) {
  std::vector<std::pair<double, Candidate>> scored;
  for (const Candidate& candidate : all.Items()) {
    std::array<int, 27> kept{};
    for (char tile : all.ToMove(candidate).rackAfter) {
      ++kept[tile == '?' ? 26 : static_cast<std::size_t>(tile - 'A')];
    }
    scored.push_back({candidate.total + leaves.Value(leaves.Index(kept)), candidate});
  }
  std::stable_sort(scored.begin(), scored.end(), [&](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : all.Before(a.second, b.second);
  });
  scored.resize(std::min(scored.size(), static_cast<std::size_t>(count)));
  return scored;
}

// The real search and the plain one give the same list, move for move, in the same order and
// with the same racks, and the computer's judgement of either is the same ranked list: on the
// Scrabble and Literati boards, on the Lumiquad board with its quadruple and penalty squares,
// and with a word list that holds one-letter words. The searches by bound give what the full
// list gives: the same judgement from the highest-scoring moves and the lowest, the same best
// moves by equity, no anchor's bound below a move found from it, and the board's anchor marks
// left alike; the opponent's best replies found line by line are those of the whole board.
TEST_F(SearchRegression, TheSearchGivesThePlainSearchsListExactly) {
  struct Setting {
    GameType type;
    bool oneLetterWords;
    std::vector<std::size_t> positions;
    int bonus = 0;  // the type's own when 0
  };
  const std::vector<Setting> settings = {
      {GameType::Scrabble, false, {0, 1, 2, 3, 5, 7, 9, 14, 20, 27}},
      {GameType::Lumiquad, false, {0, 4, 8, 12, 17, 26}},
      {GameType::Literati, false, {1, 6, 10, 19, 25}},
      {GameType::Scrabble, true, {3, 11, 23}},
      // A full-rack bonus that makes laying every tile the lowest-scoring move there is.
      {GameType::Scrabble, false, {7, 25, 1}, -200},
  };
  Player human(store_, false, bag_);
  Player computer(store_, true, bag_);
  for (const Setting& setting : settings) {
    if (setting.oneLetterWords) {
      for (const char* word : {"A", "I", "O", "X"}) words_.AddWord(word);
    }
    ApplyGameType(setting.type, board_, bag_, moveConfig_);
    const int bonus = setting.bonus != 0 ? setting.bonus : moveConfig_.GetBonus();
    bag_.SetBagLetters("AEIOUSTRNLXQZ", true);
    for (std::size_t index : setting.positions) {
      const std::string where = "position " + std::to_string(index + 1) + " of type " +
                                std::to_string(static_cast<int>(setting.type));
      board_.LayBuiltIn(setting.type);
      LayPosition(board_, file_.positions[index]);
      board_.SetMover(static_cast<int>(index % 2));
      const std::string& rack = file_.positions[index].rack;
      MarkCentreAnchor(board_);
      const Candidates candidates = FindCandidates(board_, rack, bonus);
      const std::vector<Move> moves = candidates.ToMoves();
      MarkCentreAnchor(board_);
      const std::vector<Move> plain = test::ReferenceSearch(board_, bonus).Run(rack);
      ASSERT_EQ(moves.size(), plain.size()) << where;
      for (std::size_t i = 0; i < moves.size(); ++i) {
        ASSERT_EQ(moves[i], plain[i]) << where << ", candidate " << i;
      }
      const MoveChooser fast(candidates, 200, board_, bag_, computer, human, nullptr, false, bonus);
      const MoveChooser slow(plain, 200, board_, bag_, computer, human, nullptr, false, bonus);
      EXPECT_EQ(fast.Ranked(), slow.Ranked()) << where;
      EXPECT_EQ(fast.HighestMove(), slow.HighestMove()) << where;
      EXPECT_EQ(fast.FallbackMove(), slow.FallbackMove()) << where;

      const std::vector<Square> marks = board_.Squares();
      const Square searchAnchor = board_.searchAnchor;
      MarkCentreAnchor(board_);
      Candidates top;
      FindTopCandidates(board_, rack, bonus, 201, top);
      EXPECT_EQ(board_.Squares(), marks) << where;
      EXPECT_EQ(board_.searchAnchor, searchAnchor) << where;
      const MoveChooser bounded(top, 200, board_, bag_, computer, human, nullptr, false, bonus);
      // Read only after the board and the search have moved on, as a review reads it.
      const MoveChooser readLater(top, 200, board_, bag_, computer, human, nullptr, false, bonus);
      for (int level = 1; level <= 10; ++level) {
        EXPECT_EQ(bounded.ChooseMove(level), slow.ChooseMove(level)) << where << ", " << level;
      }
      EXPECT_EQ(bounded.Ranked(), slow.Ranked()) << where;
      EXPECT_EQ(bounded.HighestMove(), slow.HighestMove()) << where;
      EXPECT_EQ(bounded.FallbackMove(), slow.FallbackMove()) << where;

      MarkCentreAnchor(board_);
      for (const AnchorBound& bound : AnchorBounds(board_, rack, bonus)) {
        for (const Candidate& candidate : candidates.Items()) {
          if (candidate.direction == bound.direction && candidate.line == bound.line &&
              candidate.anchor == bound.anchor) {
            ASSERT_LE(candidate.total, bound.upper) << where << ", " << candidate.word.data();
          }
        }
      }

      RackLeaves leaves;
      leaves.Build(rack, [](std::string_view leave) { return LeaveValue(leave, 1.0); });
      const auto want = BestOf(candidates, leaves, 5);
      MarkCentreAnchor(board_);
      Candidates best;
      std::vector<double> equities;
      FindBestCandidates(board_, rack, bonus, leaves, 5, best, equities);
      ASSERT_EQ(best.Size(), want.size()) << where;
      for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(equities[i], want[i].first) << where << ", best " << i;
        EXPECT_EQ(best.ToMove(best[i]), candidates.ToMove(want[i].second))
            << where << ", best " << i;
      }
      // A bag of the user's own may deal more than two blanks.
      {
        const std::string blanks = "ERS???T";
        RackLeaves blanksLeaves;
        blanksLeaves.Build(blanks, [](std::string_view leave) { return LeaveValue(leave, 1.0); });
        MarkCentreAnchor(board_);
        const Candidates every = FindCandidates(board_, blanks, bonus);
        MarkCentreAnchor(board_);
        FindBestCandidates(board_, blanks, bonus, blanksLeaves, 1, best, equities);
        const auto top = BestOf(every, blanksLeaves, 1);
        ASSERT_EQ(equities.size(), top.size()) << where;
        if (!top.empty()) EXPECT_EQ(equities.front(), top.front().first) << where;
      }

      // The opponent's best reply to each of these moves and to an exchange, found from the
      // board as it stands and the lines each move changes, is the best of a whole search.
      std::vector<PlayedOutChoice> choices(1);
      choices.front().exchange = true;
      for (const Candidate& candidate : best.Items()) {
        choices.emplace_back().candidate = candidate;
      }
      MarkCentreAnchor(board_);
      Replies replies(board_, bonus, choices);
      ScratchBoard whole(board_);
      for (const std::string opponent : {"EIRSTA?", "QUVWXYZ", "DGLNOPU", "??"}) {
        auto value = [](std::string_view leave) { return LeaveValue(leave, 1.0); };
        RackLeaves opponentLeaves;
        opponentLeaves.Build(opponent, value);
        replies.SetRack(opponent, value);
        for (std::size_t i = 0; i < choices.size(); ++i) {
          ScratchBoard::Laid laid;
          if (!choices[i].exchange) laid = whole.Lay(choices[i].candidate);
          MarkCentreAnchor(whole.Get());
          FindBestCandidates(whole.Get(), opponent, bonus, opponentLeaves, 1, best, equities);
          // The reply given is a move of the board after the choice, worth what is said.
          Candidate reply;
          double worth = 0;
          const bool found = replies.BestReply(i, reply, worth);
          bool legal = false;
          if (found) {
            MarkCentreAnchor(whole.Get());
            const Candidates every = FindCandidates(whole.Get(), opponent, bonus);
            for (const Candidate& any : every.Items()) {
              legal = legal || (any.direction == reply.direction && any.line == reply.line &&
                                any.start == reply.start && any.length == reply.length &&
                                std::equal(any.word.begin(), any.word.begin() + any.length,
                                           reply.word.begin()) &&
                                any.blanks == reply.blanks && any.total == reply.total);
            }
          }
          if (!choices[i].exchange) whole.TakeBack(laid);
          EXPECT_EQ(found, !equities.empty()) << where << ", " << opponent << ", choice " << i;
          EXPECT_EQ(found ? worth : 0, replies.Best(i));
          EXPECT_EQ(replies.Best(i), equities.empty() ? 0 : equities.front())
              << where << ", " << opponent << " against choice " << i;
          EXPECT_TRUE(!found || legal) << where << ", " << opponent << ", choice " << i;
        }
      }
      board_.LayBuiltIn(setting.type);
      MarkCentreAnchor(board_);
      FindTopCandidates(board_, "ZYXWVUT", bonus, 201, top);
      EXPECT_EQ(readLater.Ranked(), slow.Ranked()) << where;
    }
  }
}

// The search on positions of the benchmark set with the game's own word list and the larger
// racks, beyond what the plain search can check quickly: the whole candidate list, order and
// racks included, as it was when it matched the plain search. A faster search must give exactly
// the same lists (a new word list changes them: take them again from a search that matches
// the plain one).
TEST_F(SearchRegression, TheCandidateListsOfFixedPositionsStayTheSame) {
  const std::vector<std::pair<std::size_t, std::pair<std::size_t, std::uint64_t>>> expected = {
      {0, {1491, 6467962064688761603ull}},   {1, {47470, 4640555765462840845ull}},
      {4, {12434, 12382493779619677210ull}}, {6, {16932, 15210593509012973047ull}},
      {7, {44845, 3956985847328412611ull}},  {13, {8198, 15474059162104946358ull}},
      {16, {35954, 6886450439612827476ull}}, {25, {73622, 5237901737074174226ull}},
      {28, {13217, 3698845054249851574ull}}};
  for (const auto& [index, want] : expected) {
    Lay(board_, file_.positions[index]);
    MarkCentreAnchor(board_);
    const std::vector<Move> moves = GenerateMoves(board_, file_.positions[index].rack, 50);
    EXPECT_EQ(moves.size(), want.first) << "position " << index + 1;
    EXPECT_EQ(Fingerprint(moves), want.second) << "position " << index + 1;
  }
}

}  // namespace
}  // namespace lumiquad
