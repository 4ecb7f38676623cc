#include "model/presets.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/bag.h"
#include "model/board.h"

namespace lumiquad {
namespace {

int CountOf(const std::string& tiles, char tile) {
  return static_cast<int>(std::count(tiles.begin(), tiles.end(), tile));
}

// The stored frequencies always equal the letters of the bag just laid, blanks excluded.
void ExpectStoredFrequenciesMatch(MemorySettingsStore& store, const Bag& bag) {
  CBagRegConfig stored(store);
  const std::string tiles = bag.GetContents();
  for (int i = 0; i < kLetterCount; ++i) {
    EXPECT_EQ(stored.freq[static_cast<std::size_t>(i)], CountOf(tiles, static_cast<char>('A' + i)))
        << static_cast<char>('A' + i);
  }
}

TEST(Presets, EveryFixedFrequencyPresetGivesOneHundredTiles) {
  MemorySettingsStore store;
  FixedClock clock(42);
  Bag bag(store, clock);
  for (int index = 0; index < kRandomFrequencies; ++index) {
    ApplyFrequencyPreset(bag, index);
    EXPECT_EQ(bag.Size(), 100) << FrequencyPresetName(index);
    EXPECT_EQ(CountOf(bag.GetContents(), '?'), 2);
    EXPECT_EQ(bag.Frequencies(), FrequencyPresets()[static_cast<std::size_t>(index)].counts);
    ExpectStoredFrequenciesMatch(store, bag);
  }
  EXPECT_EQ(CountOf(LetterString(FrequencyPresets()[0].counts), 'Q'), 0);
  const std::string before = bag.GetContents(true);
  ApplyFrequencyPreset(bag, 6);
  ApplyFrequencyPreset(bag, -1);
  EXPECT_EQ(bag.GetContents(true), before);
}

TEST(Presets, TheRandomPresetFollowsItsDrawnCounts) {
  int seen[3] = {0, 0, 0};  // drawn totals below, at and above 98
  for (std::int64_t seconds = 1'700'000'000; seconds < 1'700'000'200; ++seconds) {
    MemorySettingsStore store;
    FixedClock clock(seconds);
    Bag bag(store, clock);
    ApplyFrequencyPreset(bag, kRandomFrequencies);
    const std::vector<int> drawn = RandomInts(15, 26, clock);
    LetterTable counts{};
    int total = 0;
    for (int i = 0; i < kLetterCount; ++i) {
      const std::string_view letter(&"ABCDEFGHIJKLMNOPQRSTUVWXYZ"[i], 1);
      int count = drawn[static_cast<std::size_t>(i)];
      if (std::string_view("AEIO").find(letter) != std::string_view::npos) count += 4;
      if (std::string_view("BCGHJQXZ").find(letter) != std::string_view::npos) count -= 5;
      counts[static_cast<std::size_t>(i)] = std::max(count, 0);
      total += std::max(count, 0);
    }
    const std::string tiles = bag.GetContents();
    for (int i = 0; i < kLetterCount; ++i) {
      const char letter = static_cast<char>('A' + i);
      const int expected = counts[static_cast<std::size_t>(i)];
      const int count = CountOf(tiles, letter);
      EXPECT_TRUE(total == 98  ? count == expected
                  : total > 98 ? count <= expected
                               : count >= expected)
          << letter << " drawn total " << total;
    }
    const int size = total == 98 ? 100 : total > 98 ? 99 : CountOf(tiles, '?') == 2 ? 99 : 97;
    EXPECT_EQ(bag.Size(), size) << "drawn total " << total;
    if (total <= 98) {
      for (char letter : std::string("AEIO")) EXPECT_GE(CountOf(tiles, letter), 4);
    }
    ++seen[total < 98 ? 0 : total == 98 ? 1 : 2];
    ExpectStoredFrequenciesMatch(store, bag);
  }
  EXPECT_GT(seen[0], 0);
  EXPECT_GT(seen[2], 0);
}

TEST(Presets, ValuePresetsAreSavedWithTheBoard) {
  MemorySettingsStore store;
  {
    Board board(store, nullptr);
    ApplyValuePreset(board, 1);
    EXPECT_EQ(board.LetterValue('J'), 20);
    ApplyValuePreset(board, 6);
    EXPECT_EQ(board.LetterValue('J'), 20);
  }
  EXPECT_EQ(CBoardRegConfig(store).letterval, ValuePresets()[1].values);
}

TEST(Presets, GameTypesLayTheirWholeSet) {
  MemorySettingsStore store;
  FixedClock clock(3);
  CMoveRegConfig move(store);
  Bag bag(store, clock);
  Board board(store, nullptr);

  ApplyGameType(GameType::Literati, board, bag, move);
  EXPECT_EQ(bag.Size(), 100);
  EXPECT_EQ(CountOf(bag.GetContents(), 'Q'), 0);
  EXPECT_EQ(move.GetBonus(), 35);
  EXPECT_EQ(board.GetLetterValues(), LiteratiValues());
  EXPECT_EQ(board.SquareAt(7, 7)->character, '.');
  EXPECT_EQ(board.defaultboard, "Literati");
  EXPECT_EQ(board.name[0], "Literati");

  ApplyGameType(GameType::Lumiquad, board, bag, move);
  EXPECT_EQ(CountOf(bag.GetContents(), 'Q'), 0);
  EXPECT_EQ(move.GetBonus(), 50);
  EXPECT_EQ(board.GetLetterValues(), ValuePresets()[0].values);
  EXPECT_EQ(board.SquareAt(7, 7)->character, '|');

  ApplyGameType(GameType::Scrabble, board, bag, move);
  ApplyGameType(GameType::Scrabble, board, bag, move);  // the name is found: nothing stored
  EXPECT_EQ(std::count(board.name.begin(), board.name.end(), "Scrabble"), 1);
  EXPECT_EQ(board.defaultboard, "Scrabble");
  EXPECT_EQ(board.SaveLayoutAs("Scrabble"), SaveLayoutResult::NotUnique);
  EXPECT_EQ(board.GetLetterValues(), ValuePresets()[4].values);
  EXPECT_EQ(bag.Frequencies(), FrequencyPresets()[kScrabbleFrequencies].counts);
  EXPECT_EQ(board.SquareAt(7, 7)->character, '#');
}

TEST(Presets, AFullLibraryKeepsItsLayoutsAndTheChosenTypesBoardStaysInForce) {
  MemorySettingsStore store;
  FixedClock clock(3);
  CMoveRegConfig move(store);
  Bag bag(store, clock);
  {
    Board board(store, nullptr);
    for (int i = 0; i < kLayoutSlots; ++i) board.SaveLayoutAs("L" + std::to_string(i));
    const auto names = board.GetLayoutNames();
    ApplyGameType(GameType::Literati, board, bag, move);
    EXPECT_EQ(board.GetLayoutNames(), names);
    EXPECT_EQ(board.defaultboard, "Literati");
    EXPECT_EQ(board.SquareAt(0, 3)->character, '$');
    board.ResetBoard();  // New Game
    EXPECT_EQ(board.LayoutString(), BuiltInLayout(GameType::Literati));
  }
  // No layout named Literati is stored, but the name stands for the type's own board.
  Board board(store, nullptr);
  EXPECT_EQ(board.LayoutString(), BuiltInLayout(GameType::Literati));
  EXPECT_EQ(board.StartingLayout(), BuiltInLayout(GameType::Literati));
}

}  // namespace
}  // namespace lumiquad
