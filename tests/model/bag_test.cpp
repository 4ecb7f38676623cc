#include "model/bag.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "model/player.h"
#include "model/presets.h"

namespace lumiquad {
namespace {

std::string Sorted(std::string tiles) {
  std::sort(tiles.begin(), tiles.end());
  return tiles;
}

void StoreFrequencies(MemorySettingsStore& store, const LetterTable& counts) {
  CBagRegConfig record(store);
  record.freq = counts;
}

TEST(RandomInts, IsSeededFromTheClockInWholeSeconds) {
  FixedClock clock(5489);
  std::vector<int> first = RandomInts(100, 10, clock);
  EXPECT_EQ(first, RandomInts(100, 10, clock));  // the same second draws the same numbers
  std::mt19937 reference(5489);
  EXPECT_EQ(first[0], static_cast<int>(reference() / (4294967295u / 100)));
  EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](int n) { return n >= 0 && n <= 100; }));
  clock.Set(5490);
  EXPECT_NE(first, RandomInts(100, 10, clock));
  EXPECT_EQ(RandomInts(100, 2, clock), std::vector<int>(2, 0));
  EXPECT_EQ(RandomInts(0, 5, clock), std::vector<int>(5, 0));
  EXPECT_TRUE(RandomInts(5, -1, clock).empty());
}

TEST(Bag, FillsFromTheStoredFrequenciesWithTwoBlanks) {
  MemorySettingsStore store;
  FixedClock clock(1000);
  StoreFrequencies(store, FrequencyPresets()[2].counts);
  Bag bag(store, clock);
  EXPECT_EQ(bag.Size(), 100);
  std::string contents = bag.GetContents();
  EXPECT_EQ(std::count(contents.begin(), contents.end(), '?'), 2);
  EXPECT_EQ(bag.GetContents(true), Sorted(LetterString(FrequencyPresets()[2].counts) + "??"));
  EXPECT_EQ(bag.Frequencies(), FrequencyPresets()[2].counts);
}

TEST(Bag, TooFewStoredTilesFallBackToTheScrabbleSetting) {
  for (int total : {0, 95}) {
    MemorySettingsStore store;
    FixedClock clock(1000);
    LetterTable counts{};
    counts[4] = total;  // E only
    StoreFrequencies(store, counts);
    Bag bag(store, clock);
    EXPECT_EQ(bag.Size(), 100) << total;
    EXPECT_EQ(bag.Frequencies(), FrequencyPresets()[kScrabbleFrequencies].counts);
    // The fallback replaced the user's table in the settings too.
    EXPECT_EQ(CBagRegConfig(store).freq, FrequencyPresets()[kScrabbleFrequencies].counts);
  }
}

TEST(Bag, DrawsFromTheFrontAndHandsOutWhatIsLeft) {
  MemorySettingsStore store;
  FixedClock clock(77);
  Bag bag(store, clock);
  bag.SetBagLetters("AB", false);
  EXPECT_EQ(bag.DrawTiles(1), "A");  // two tiles are never shuffled
  EXPECT_EQ(bag.LastDrawn(), "A");

  bag.SetBagLetters("CDEFG", false);
  EXPECT_EQ(Sorted(bag.DrawTiles(7)), "CDEFG");
  EXPECT_TRUE(bag.IsEmpty());
  EXPECT_EQ(bag.DrawTiles(3), "");
  EXPECT_EQ(Sorted(bag.LastDrawn()), "CDEFG");  // an empty draw leaves it
  EXPECT_EQ(bag.DrawTiles(0), "");

  bag.SetBagLetters("HIJKL", false);
  EXPECT_EQ(bag.DrawTiles(-2), "");
  EXPECT_EQ(bag.Size(), 5);
}

TEST(Bag, ExchangeNeedsAsManyTilesInTheBag) {
  MemorySettingsStore store;
  FixedClock clock(5);
  Bag bag(store, clock);
  bag.SetBagLetters("XYZ", false);
  EXPECT_EQ(bag.Exchange("ABCD"), "");
  EXPECT_EQ(bag.GetContents(true), "XYZ");
  EXPECT_EQ(Sorted(bag.Exchange("ABC")), "XYZ");  // a returned tile never comes straight back
  EXPECT_EQ(bag.GetContents(true), "ABC");
  EXPECT_EQ(bag.Exchange(""), "");

  bag.SetBagLetters("MN", false);
  EXPECT_EQ(bag.Exchange("ABC"), "");
  EXPECT_EQ(bag.GetContents(true), "MN");
}

TEST(Bag, RestoringContentsNeverTouchesTheStoredFrequencies) {
  MemorySettingsStore store;
  FixedClock clock(9);
  StoreFrequencies(store, FrequencyPresets()[4].counts);
  {
    Bag bag(store, clock);
    bag.SetBagLetters("QQQ", false);
    bag.SetBagLetters("AE");
    EXPECT_EQ(bag.GetContents(true), "??AE");
  }
  Bag bag(store, clock);
  EXPECT_EQ(bag.Size(), 100);
  EXPECT_EQ(bag.Frequencies(), FrequencyPresets()[4].counts);
}

TEST(Player, TilesAreNeverLostOrDuplicated) {
  MemorySettingsStore store;
  FixedClock clock(123456);
  Bag bag(store, clock);
  const std::string full = bag.GetContents(true);
  Player human(store, false, bag);
  Player computer(store, true, bag);
  human.NewRack();
  computer.NewRack();
  EXPECT_EQ(human.rack.size(), 7u);
  EXPECT_EQ(human.lastDrawn, human.rack);

  std::string played;
  std::mt19937 pick(1);
  for (int turn = 0; turn < 60; ++turn, clock.Set(clock.Seconds() + 1)) {
    Player& player = turn % 2 ? computer : human;
    if (player.rack.empty()) continue;
    std::string tiles = player.rack.substr(0, 1 + pick() % player.rack.size());
    if (turn % 3 == 0) {
      bool exchanged = player.ExchangeTiles(tiles);
      EXPECT_EQ(exchanged, static_cast<int>(tiles.size()) <= bag.Size());
    } else {
      player.PlayTiles(tiles, 5);
      played += tiles;
    }
    EXPECT_LE(player.rack.size(), 7u);
    EXPECT_EQ(Sorted(bag.GetContents() + human.rack + computer.rack + played), full) << turn;
  }
  EXPECT_TRUE(bag.IsEmpty());
}

TEST(Player, RackTilesLeaveByLetterThenByBlank) {
  MemorySettingsStore store;
  FixedClock clock(1);
  Bag bag(store, clock);
  Player player(store, false, bag);
  player.rack = "AB?C";
  EXPECT_TRUE(player.RemoveFromRack('B'));
  EXPECT_TRUE(player.RemoveFromRack('Z'));  // no Z: the blank goes
  EXPECT_EQ(player.rack, "AC");
  EXPECT_FALSE(player.RemoveFromRack('Z'));
  EXPECT_EQ(player.rack, "AC");

  // Only tiles the rack holds can be changed.
  const int before = bag.Size();
  EXPECT_FALSE(player.ExchangeTiles("AZ"));
  EXPECT_EQ(player.rack, "AC");
  EXPECT_EQ(bag.Size(), before);
  player.PlayTiles("A", 7);
  EXPECT_EQ(player.score, 7);
  EXPECT_EQ(player.rack.size(), 2u);
  EXPECT_EQ(player.Name(), "Player 1");
}

}  // namespace
}  // namespace lumiquad
