#include "ai/champion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "ai/endgame.h"
#include "ai/move_generator.h"
#include "ai/play_outs.h"
#include "ai/rack_leaves.h"
#include "ai/scratch_board.h"
#include "support/board_picture.h"
#include "support/move_printer.h"
#include "words/word_list.h"

namespace lumiquad {
namespace {

class Champion : public ::testing::Test {
 protected:
  void SetUp() override {
    board_.SetDictionaryRef(&words_);
    board_.LayScrabble();
  }

  MemorySettingsStore store_;
  WordList words_ =
      test::Words({"AT",  "TA",   "AE",   "EA",    "TE",    "ET",    "ATE", "TEA", "EAT",
                   "ETA", "SEAT", "EATS", "SATE",  "EAST",  "SET",   "TES", "SEA", "AS",
                   "ES",  "TAS",  "TEAS", "SEATS", "STATE", "TASTE", "QI",  "QIS"});
  Board board_{store_, nullptr};
};

// Every move and a pass, to the end of the game: the final lead the side to move can force.
int PlayedOut(ScratchBoard& board, std::string racks[2], int side, int lead, int passes) {
  const Candidates list = FindCandidates(board.Get(), racks[side], 50);
  int best = passes >= 1 ? lead : -PlayedOut(board, racks, 1 - side, -lead, passes + 1);
  for (const Candidate& move : list.Items()) {
    std::string tiles;
    const ScratchBoard::Laid laid = board.Lay(move, &tiles);
    const std::string kept = racks[side];
    TakeTiles(racks[side], tiles);
    const int value = racks[side].empty()
                          ? lead + move.total
                          : -PlayedOut(board, racks, 1 - side, -(lead + move.total), 0);
    racks[side] = kept;
    board.TakeBack(laid);
    best = std::max(best, value);
  }
  return best;
}

// The game played on by the simplest rule: a side goes out when it can, else plays its
// highest-scoring move, the first found of equal ones.
int PlayedOnByRule(ScratchBoard& board, std::string racks[2], int side, int lead, int passes) {
  const Candidates list = FindCandidates(board.Get(), racks[side], 50);
  const auto out = [&](const Candidate& move) {
    return move.placed >= static_cast<int>(racks[side].size());
  };
  const Candidate* pick = nullptr;
  for (const Candidate& move : list.Items()) {
    if (pick == nullptr || out(move) > out(*pick) ||
        (out(move) == out(*pick) && move.total > pick->total)) {
      pick = &move;
    }
  }
  if (pick == nullptr) {
    return passes >= 1 ? lead : -PlayedOnByRule(board, racks, 1 - side, -lead, passes + 1);
  }
  std::string tiles;
  const ScratchBoard::Laid laid = board.Lay(*pick, &tiles);
  const std::string kept = racks[side];
  TakeTiles(racks[side], tiles);
  const int value = racks[side].empty()
                        ? lead + pick->total
                        : -PlayedOnByRule(board, racks, 1 - side, -(lead + pick->total), 0);
  racks[side] = kept;
  board.TakeBack(laid);
  return value;
}

// With the bag empty both racks are known: searched to the end, the lead is what playing every
// line out gives, going out ending the game and two passes leaving it as it stands. With no time
// to search deeper, the game after each move and the reply to it is played on by the rule.
TEST_F(Champion, TheEndgameSearchFindsTheLeadOfEveryLinePlayedOut) {
  struct Case {
    std::vector<std::string> picture;
    std::string rack;
    std::string opponent;
  };
  const std::vector<Case> cases = {
      {{"", "", "", "", "", "", "", "......SEAT"}, "TE", "AS"},
      {{"", "", "", "", "", "", "", "......SEAT"}, "S", "ATE"},
      {{"", "", "", "", "", "", "......E", ".....QI", "......A"}, "SA", "T"},
      {{"", "", "", "", "", "", "", "......EAT"}, "QI", "SE"},
      {{"", "", "", "", "", "", "", "......SEAT"}, "TEA", "XXT"},
  };
  for (const Case& c : cases) {
    board_.LayScrabble();
    test::LayPicture(board_, c.picture);
    ScratchBoard scratch(board_);
    std::string racks[2] = {c.rack, c.opponent};
    const int want = PlayedOut(scratch, racks, 0, 0, 0);
    Endgame endgame(scratch, 50, std::chrono::steady_clock::now() + std::chrono::hours(1), 1000);
    const Endgame::Result result = endgame.Solve(c.rack, c.opponent);
    EXPECT_EQ(result.lead, want) << c.rack << " against " << c.opponent;

    // With no time, each move and the pass are weighed by the game played on by the rule.
    int quickWant = -PlayedOnByRule(scratch, racks, 1, 0, 1);
    const Candidates mine = FindCandidates(scratch.Get(), c.rack, 50);
    for (const Candidate& move : mine.Items()) {
      std::string tiles;
      const ScratchBoard::Laid laid = scratch.Lay(move, &tiles);
      TakeTiles(racks[0], tiles);
      quickWant = std::max(quickWant, racks[0].empty()
                                          ? move.total
                                          : -PlayedOnByRule(scratch, racks, 1, -move.total, 0));
      racks[0] = c.rack;
      scratch.TakeBack(laid);
    }
    Endgame quick(scratch, 50, std::chrono::steady_clock::now(), 1000);
    EXPECT_EQ(quick.Solve(c.rack, c.opponent).lead, quickWant)
        << c.rack << " against " << c.opponent << " with no time";
    // Out of time before even the first depth is done, it still plays when it can.
    Endgame cut(scratch, 50, std::chrono::steady_clock::now(), 1000, std::chrono::milliseconds(0));
    EXPECT_EQ(cut.Solve(c.rack, c.opponent).pass, mine.Empty())
        << c.rack << " against " << c.opponent;
  }
}

// It knows the unseen tiles as a lot, never their order. It looks six turns ahead at racks and
// bags drawn at random, with seven tiles in the bag two turns ahead at the opponent's racks one
// by one, the likeliest first; with fewer it plays on to the end of the game. With no word to make
// it changes its tiles while the bag holds seven, and passes after that. The play-outs shared out
// among threads find what one thread finds.
TEST_F(Champion, ItChoosesByWhatItCanSeeAndChangesWhatItCannotPlay) {
  test::LayPicture(board_, {"", "", "", "", "", "", "", "......SEAT"});
  ChampionView view;
  view.board = &board_;
  view.rack = "TEASQVV";
  view.unseen = "AEEIOSTTRNQ";
  view.bagSize = 4;
  ChampionOptions options;
  options.budget = std::chrono::milliseconds(0);
  options.playouts = 12;
  const ChampionChoice first = ChooseChampion(view, options);
  std::reverse(view.unseen.begin(), view.unseen.end());
  const ChampionChoice second = ChooseChampion(view, options);
  ASSERT_EQ(first.kind, ChampionChoice::Kind::Place);
  EXPECT_EQ(DescribeMove(first.move, 0, false), DescribeMove(second.move, 0, false));
  EXPECT_EQ(first.value, second.value);
  view.unseen = "AEEIOSTTRNQAEI";
  view.bagSize = 7;
  const ChampionChoice every = ChooseChampion(view, options);
  view.seed = 12345;
  EXPECT_EQ(ChooseChampion(view, options).value, every.value);
  view.seed = 1;
  // Racks drawn at random, choices given up on the way: the threads change nothing, with many
  // tiles in the bag or a few.
  for (int bag : {11, 4}) {
    view.unseen = bag == 11 ? "AEEIOSTTRNQAEIOUDG" : "AEEIOSTTRNQ";
    view.bagSize = bag;
    options.playouts = 40;
    options.threads = 1;
    const ChampionChoice alone = ChooseChampion(view, options);
    options.threads = 3;
    const ChampionChoice shared = ChooseChampion(view, options);
    EXPECT_EQ(DescribeMove(alone.move, 0, false), DescribeMove(shared.move, 0, false)) << bag;
    EXPECT_EQ(alone.value, shared.value) << bag;
  }
  options.playouts = 12;
  options.threads = 0;

  // With a tile left in the bag, a choice is worth the spread of the game played on to its end:
  // here the opponent and the bag hold only tiles no word takes, so it is the choice's score and
  // all the player makes after it alone, the game lost whatever it plays. Won whatever it plays,
  // every choice is worth as much more: the same one is chosen.
  view.rack = "TEASQIV";
  view.unseen = "VVVVVVVV";
  view.bagSize = 1;
  view.score = 500;
  const ChampionChoice won = ChooseChampion(view, options);
  view.score = 0;
  view.opponentScore = 500;
  const ChampionChoice last = ChooseChampion(view, options);
  view.opponentScore = 0;
  ASSERT_EQ(last.kind, ChampionChoice::Kind::Place);
  EXPECT_EQ(DescribeMove(won.move, 0, false), DescribeMove(last.move, 0, false));
  EXPECT_GT(won.value, last.value);
  // The choice laid on a board of the test's own; answers the tiles the rack keeps.
  auto layChoice = [&](ScratchBoard& board, const ChampionChoice& choice) {
    const Candidates mine = FindCandidates(board.Get(), view.rack, 50);
    std::string kept = view.rack;
    for (const Candidate& c : mine.Items()) {
      if (DescribeMove(mine.ToMove(c), 0, false) != DescribeMove(choice.move, 0, false)) continue;
      std::string tiles;
      board.Lay(c, &tiles);
      TakeTiles(kept, tiles);
      break;
    }
    return kept;
  };
  ScratchBoard scratch(board_);
  const std::string kept = layChoice(scratch, last);
  ASSERT_LT(kept.size(), view.rack.size());
  std::string racks[2] = {kept + "V", "VVVVVVV"};
  const int after = -PlayedOnByRule(scratch, racks, 1, 0, 0);
  EXPECT_GT(after, 0);
  EXPECT_EQ(last.value, last.move.total + after);

  // With a full rack or more in the bag, a choice is played on six turns and the tiles each side
  // keeps then count by their worth: here the opponent can make no word, so the choice is worth
  // its score and the player's best moves after it by score and leave, drawing only Vs, less the
  // opponent's rack; with no word left to make, the game ends at two turns without one.
  view.unseen = std::string(15, 'V');
  view.bagSize = 8;
  const ChampionChoice ahead = ChooseChampion(view, options);
  ASSERT_EQ(ahead.kind, ChampionChoice::Kind::Place);
  ScratchBoard next(board_);
  std::string refilled = layChoice(next, ahead);
  const LeaveTable heuristic;
  const LeaveValueFunction worthOf = [&](std::string_view leave) { return heuristic.Value(leave); };
  RackLeaves leaves;
  Candidates best;
  std::vector<double> equities;
  double want = ahead.move.total;
  double worth = 0;
  bool ended = false;
  for (int turn = 0; turn < 2; ++turn) {
    refilled.resize(view.rack.size(), 'V');
    leaves.Build(refilled, worthOf);
    MarkCentreAnchor(next.Get());
    FindBestCandidates(next.Get(), refilled, 50, leaves, 1, best, equities);
    ended = equities.empty();
    if (ended) break;
    want += best[0].total;
    worth = equities[0] - best[0].total;
    std::string tiles;
    next.Lay(best[0], &tiles);
    TakeTiles(refilled, tiles);
  }
  if (!ended) want += worth - heuristic.Value("VVVVVVV");
  EXPECT_DOUBLE_EQ(ahead.value, want);

  // A play-out whose bag runs out before its last turn goes on to the end of the game, as one
  // played to the end does, rather than counting the tiles kept with nothing left to draw.
  {
    view.rack = "TEASQIV";
    leaves.Build(view.rack, worthOf);
    std::vector<PlayedOutChoice> choices[2];
    FindBestCandidates(board_, view.rack, 50, leaves, 6, best, equities);
    for (std::size_t i = 0; i < best.Size(); ++i) {
      choices[0].push_back({});
      choices[0].back().candidate = best[i];
      choices[0].back().equity = equities[i];
    }
    choices[1] = choices[0];
    PlayOutPlan plan;
    plan.unseen = "AEEIOSTTRQ";
    plan.opponentTiles = 7;
    plan.bagSize = 3;
    plan.playouts = 12;
    plan.rack = view.rack;
    for (int i = 0; i < 2; ++i) {
      plan.turns = i == 0 ? 4 : 0;
      PlayOut(board_, plan, worthOf, choices[i]);
    }
    ASSERT_GT(choices[0].size(), 1u);
    for (std::size_t i = 0; i < choices[0].size(); ++i) {
      EXPECT_EQ(choices[0][i].runs, 12);
      EXPECT_EQ(choices[0][i].mean, choices[1][i].mean) << i;
    }
  }

  // Tiles no word takes are changed while the bag holds seven, whether the replies to the choices
  // or six turns of play weigh them: the change is played out too, the opponent's good tiles
  // scoring against it.
  for (int bag : {7, 12}) {
    view.rack = "VVWWUUE";
    view.bagSize = bag;
    view.unseen = std::string("AEEIOSTTRNQAEIOUDGS").substr(0, static_cast<std::size_t>(bag + 7));
    const ChampionChoice change = ChooseChampion(view, options);
    EXPECT_EQ(change.kind, ChampionChoice::Kind::Exchange) << bag;
    EXPECT_FALSE(change.exchange.empty()) << bag;
    EXPECT_LT(change.value, 0) << bag;
  }
  view.rack = "VVWWUUX";
  view.bagSize = 6;
  EXPECT_EQ(ChooseChampion(view, options).kind, ChampionChoice::Kind::Pass);
}

// Learnt values read back as written; a file that is not whole is refused with its line.
TEST(LeaveTable, ReadsBackWhatItWritesAndRefusesDamagedFiles) {
  LeaveTable table;
  table.SetLearnt(true);
  table.Single(26) = 24.5;
  table.Single('S' - 'A') = 7.25;
  table.Pair('Q' - 'A', 'U' - 'A') = 3.125;
  table.Pair(26, 26) = -1.0 / 3;
  const std::string text = table.Text();
  const std::optional<LeaveTable> read = LeaveTable::Parse(text);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Value("??S"), table.Value("S??"));
  EXPECT_EQ(read->Value("UQ"), 3.125);
  EXPECT_EQ(read->Text(), text);
  // A whole leave's worth adds to its tiles and pairs, in whatever order its tiles come.
  LeaveTable whole = table;
  const std::int8_t rest[] = {'R' - 'A', 'E' - 'A', 'S' - 'A', 'T' - 'A'};
  whole.SetWhole(rest, 4, 2.5);
  const std::optional<LeaveTable> wholeRead = LeaveTable::Parse(whole.Text());
  ASSERT_TRUE(wholeRead);
  EXPECT_EQ(wholeRead->Value("TSER"), table.Value("REST") + 2.5);
  EXPECT_EQ(wholeRead->Value("RES"), table.Value("RES"));
  EXPECT_EQ(wholeRead->Text(), whole.Text());

  std::string noHeader = text.substr(text.find('\n') + 1);
  std::string missing = text.substr(0, text.rfind("\n", text.size() - 2) + 1);
  std::string twice = text + "A 1\n";
  std::string badTile = text;
  badTile.replace(badTile.find("\nB "), 3, "\nb ");
  std::string badValue = text;
  badValue.replace(badValue.find("\nC ") + 3, 1, "x");
  const std::string wholeTwice = whole.Text() + "SETR 1\n";
  const std::string sevenTiles = text + "ABCDEFG 1\n";
  for (const std::string& damaged :
       {noHeader, missing, twice, badTile, badValue, wholeTwice, sevenTiles, std::string()}) {
    std::string why;
    EXPECT_FALSE(LeaveTable::Parse(damaged, &why)) << damaged.substr(0, 40);
    EXPECT_NE(why.find("line "), std::string::npos);
  }
}

}  // namespace
}  // namespace lumiquad
