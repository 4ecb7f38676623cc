#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ai/move_generator.h"
#include "bench/position_file.h"
#include "model/bag.h"
#include "model/board.h"
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

// The real search and the plain one give the same list, move for move, in the same order and
// with the same racks: the skipped letters and reused storage change nothing.
TEST_F(SearchRegression, TheSearchGivesThePlainSearchsListExactly) {
  for (std::size_t index : {0u, 1u, 2u, 3u, 5u, 7u, 9u, 14u, 20u, 27u}) {
    Lay(board_, file_.positions[index]);
    board_.SetMover(static_cast<int>(index % 2));
    MarkCentreAnchor(board_);
    const std::vector<Move> moves = GenerateMoves(board_, file_.positions[index].rack, 50);
    MarkCentreAnchor(board_);
    const std::vector<Move> plain =
        test::ReferenceSearch(board_, 50).Run(file_.positions[index].rack);
    ASSERT_EQ(moves.size(), plain.size()) << "position " << index + 1;
    for (std::size_t i = 0; i < moves.size(); ++i) {
      ASSERT_EQ(moves[i], plain[i]) << "position " << index + 1 << ", candidate " << i;
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
      {0, {1487, 1423838641306572627ull}},    {1, {47356, 2733207726073990432ull}},
      {4, {12394, 6702926571619607331ull}},   {6, {16878, 14352027661456884194ull}},
      {7, {44705, 15691396940756670945ull}},  {13, {8158, 12995193628185135777ull}},
      {16, {35792, 16730538068808493621ull}}, {25, {73298, 14014886270894060113ull}},
      {28, {13138, 16392099612390106812ull}}};
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
