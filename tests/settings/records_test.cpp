#include "settings/reg_records.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/file_settings_store.h"
#include "settings/settings_text.h"

namespace lumiquad {
namespace {

constexpr const char* kWin = "Software\\Lumiquad\\Win";
constexpr const char* kBoard = "Software\\Lumiquad\\Board";
constexpr const char* kBag = "Software\\Lumiquad\\Bag";

std::int32_t StoredInt(MemorySettingsStore& store, const char* key, const char* name) {
  const SettingsValue* value = FindSettingsValue(store.Key(key), name);
  return value != nullptr ? std::get<std::int32_t>(*value) : -12345;
}

TEST(SettingsRecords, FirstStartHasTheDefaultsAndStoresBothNames) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("lumiquad-first-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  FileSettingsStore store((folder / "settings.conf").string());
  {
    CWinRegConfig win(store);
    CMoveRegConfig move(store);
    CPlayerRegConfig human(store, false);
    CPlayerRegConfig computer(store, true);
    EXPECT_EQ(win.color, 1);
    EXPECT_EQ(win.level, 7);
    EXPECT_EQ(win.filter, 0);
    EXPECT_TRUE(win.dictionary.empty());
    EXPECT_TRUE(win.pass.empty());
    EXPECT_EQ(move.GetBonus(), 50);
    EXPECT_EQ(human.name, "Player 1");
    EXPECT_EQ(computer.name, "Vazovi");

    // The names are stored during construction, before anything else saves.
    std::optional<SettingsValues> player = store.OpenKey("Software\\Lumiquad\\Player");
    EXPECT_EQ(*FindSettingsValue(*player, "human"), SettingsValue(std::string("Player 1")));
    EXPECT_EQ(*FindSettingsValue(*player, "computer"), SettingsValue(std::string("Vazovi")));
    // Every key exists from its first open; its values appear when the record saves.
    EXPECT_TRUE(store.OpenKey(kWin)->empty());
  }
  std::optional<SettingsValues> win = store.OpenKey(kWin);
  ASSERT_EQ(win->size(), 7u);
  const char* order[] = {"Color", "dictionary", "level", "width", "height", "pass", "filter"};
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ((*win)[i].name, order[i]);
  // A text longer than the file keeps is stored as much as is kept, never dropped.
  {
    CWinRegConfig record(store);
    record.pass = std::string(kMaxSettingsText + 100, 'p');
  }
  EXPECT_EQ(CWinRegConfig(store).pass, std::string(kMaxSettingsText, 'p'));
  fs::remove_all(folder);
}

TEST(SettingsRecords, ValuesSurviveARestart) {
  MemorySettingsStore store;
  {
    CWinRegConfig win(store);
    win.color = 4;
    win.dictionary = "/data/words.txt";
    win.level = 10;
    win.pass = "secret";
    win.filter = 1;
    CBoardRegConfig board(store);
    board.letterval[25] = 10;
    board.name[3] = "Mine";
    board.boards[3] = std::string(225, '#');
    board.defaultboard = "Mine";
    CPlayerRegConfig human(store, false);
    human.name = "Ann";
    CMoveRegConfig move(store);
    move.SetBonus(35);
  }
  CWinRegConfig win(store);
  EXPECT_EQ(win.color, 4);
  EXPECT_EQ(win.dictionary, "/data/words.txt");
  EXPECT_EQ(win.level, 10);
  EXPECT_EQ(win.pass, "secret");
  EXPECT_EQ(win.filter, 1);
  CBoardRegConfig board(store);
  EXPECT_EQ(board.letterval[25], 10);
  EXPECT_EQ(board.name[3], "Mine");
  EXPECT_EQ(board.boards[3], std::string(225, '#'));
  EXPECT_EQ(board.defaultboard, "Mine");
  EXPECT_EQ(CPlayerRegConfig(store, false).name, "Ann");
  EXPECT_EQ(CPlayerRegConfig(store, true).name, "Vazovi");
  EXPECT_EQ(CMoveRegConfig(store).GetBonus(), 35);
}

TEST(SettingsRecords, DamagedValuesKeepTheirDefaultsOrAreHeldInRange) {
  MemorySettingsStore store;
  SettingsValues& win = store.Key(kWin);
  PutSettingsValue(win, "Color", std::string("green"));  // wrong kind
  PutSettingsValue(win, "dictionary", std::int32_t{5});  // wrong kind
  PutSettingsValue(win, "level", std::int32_t{-1});
  PutSettingsValue(win, "filter", std::int32_t{9});
  PutSettingsValue(win, "pass", std::string("ab\0cd", 5));
  SettingsValues& bag = store.Key(kBag);
  PutSettingsValue(bag, "freq0", std::int32_t{1000000000});
  PutSettingsValue(bag, "freq1", std::int32_t{-4});
  PutSettingsValue(bag, "freq2", std::int32_t{7});
  SettingsValues& board = store.Key(kBoard);
  PutSettingsValue(board, "letterval0", std::int32_t{INT32_MAX});
  PutSettingsValue(board, "letterval1", std::int32_t{-3});
  PutSettingsValue(board, "name0", std::string("One"));
  PutSettingsValue(board, "name4", std::string("Five"));
  PutSettingsValue(store.Key("Software\\Lumiquad\\Move"), "Bonus", std::int32_t{0});

  CWinRegConfig winRecord(store);
  EXPECT_EQ(winRecord.color, 1);
  EXPECT_TRUE(winRecord.dictionary.empty());
  EXPECT_EQ(winRecord.level, 7);
  EXPECT_EQ(winRecord.filter, 1);
  EXPECT_EQ(winRecord.pass, "ab");
  CBagRegConfig bagRecord(store);
  EXPECT_EQ(bagRecord.freq[0], kMaxFrequency);
  EXPECT_EQ(bagRecord.freq[1], 0);
  EXPECT_EQ(bagRecord.freq[2], 7);
  EXPECT_EQ(bagRecord.freq[3], 0);
  CBoardRegConfig boardRecord(store);
  EXPECT_EQ(boardRecord.letterval[0], kMaxLetterValue);
  EXPECT_EQ(boardRecord.letterval[1], 0);
  EXPECT_EQ(boardRecord.name[0], "One");
  EXPECT_EQ(boardRecord.name[4], "Five");
  EXPECT_EQ(boardRecord.name[1], "");
  EXPECT_EQ(boardRecord.name[19], "");
  EXPECT_EQ(CMoveRegConfig(store).GetBonus(), 1);

  // Keys made since may have moved the first one: it is looked up again.
  PutSettingsValue(store.Key(kWin), "Color", std::int32_t{8});
  PutSettingsValue(store.Key(kWin), "level", std::int32_t{11});
  PutSettingsValue(store.Key("Software\\Lumiquad\\Move"), "Bonus", std::int32_t{INT32_MAX});
  EXPECT_EQ(CWinRegConfig(store).color, 1);
  EXPECT_EQ(CWinRegConfig(store).level, 7);
  EXPECT_EQ(CMoveRegConfig(store).GetBonus(), kMaxBonus);
}

TEST(SettingsRecords, RecordsSaveWhenDestroyedAndWhenTheBonusChanges) {
  MemorySettingsStore store;
  CMoveRegConfig move(store);
  const int before = store.WriteCount();
  move.SetBonus(75);
  EXPECT_EQ(store.WriteCount(), before + 1);
  EXPECT_EQ(StoredInt(store, "Software\\Lumiquad\\Move", "Bonus"), 75);
  {
    CBagRegConfig bag(store);
    bag.freq[0] = 12;
  }
  EXPECT_EQ(StoredInt(store, kBag, "freq0"), 12);
  EXPECT_EQ(StoredInt(store, kBag, "freq25"), 0);
  EXPECT_EQ(FindSettingsValue(store.Key(kBag), "freq26"), nullptr);
}

TEST(SettingsRecords, AnUnreachableStoreLeavesTheDefaultsInForce) {
  MemorySettingsStore store;
  store.SetUnreachable(true);
  CWinRegConfig win(store);
  CPlayerRegConfig computer(store, true);
  EXPECT_EQ(win.level, 7);
  EXPECT_EQ(computer.name, "Vazovi");
  EXPECT_FALSE(win.Save());
  EXPECT_FALSE(win.Load());
}

}  // namespace
}  // namespace lumiquad
