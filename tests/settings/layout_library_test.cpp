#include "settings/layout_library.h"

#include <gtest/gtest.h>

namespace lumiquad {
namespace {

std::string Layout(char code) { return std::string(225, code); }

TEST(LayoutLibrary, TwentySlotsThenFullThenDeleteMovesTheRestUp) {
  MemorySettingsStore store;
  CBoardRegConfig record(store);
  for (int i = 0; i < kLayoutSlots; ++i) {
    EXPECT_EQ(StoreLayout(record, "L" + std::to_string(i), Layout('#')), SaveLayoutResult::Saved);
  }
  EXPECT_EQ(StoreLayout(record, "one more", Layout('$')), SaveLayoutResult::Full);
  EXPECT_EQ(StoreLayout(record, "L3", Layout('$')), SaveLayoutResult::NotUnique);

  record.boards[6] = Layout('*');
  RemoveLayout(record, "L5");
  EXPECT_EQ(record.name[5], "L6");
  EXPECT_EQ(record.boards[5], Layout('*'));  // names and layouts keep their pairing
  EXPECT_EQ(record.name[18], "L19");
  EXPECT_EQ(record.name[19], "");
  EXPECT_EQ(record.boards[19], "");

  EXPECT_EQ(StoreLayout(record, "one more", Layout('$')), SaveLayoutResult::Saved);
  EXPECT_EQ(record.name[19], "one more");
  EXPECT_EQ(record.boards[19], Layout('$'));

  // The deletion and the save reached the store.
  CBoardRegConfig reloaded(store);
  EXPECT_EQ(reloaded.name[5], "L6");
  EXPECT_EQ(reloaded.name[19], "one more");
}

TEST(LayoutLibrary, NamesAreCaseSensitiveAndEmptyNamesAreNeverStored) {
  MemorySettingsStore store;
  CBoardRegConfig record(store);
  EXPECT_EQ(StoreLayout(record, "Test", Layout('#')), SaveLayoutResult::Saved);
  EXPECT_EQ(StoreLayout(record, "test", Layout('$')), SaveLayoutResult::Saved);
  EXPECT_EQ(*FindLayout(record, "test"), Layout('$'));
  EXPECT_EQ(FindLayout(record, "TEST"), nullptr);
  EXPECT_EQ(StoreLayout(record, "", Layout('#')), SaveLayoutResult::NotUnique);

  RemoveLayout(record, "");  // a free slot is no layout to delete
  EXPECT_EQ(record.name[0], "Test");
  EXPECT_EQ(record.name[1], "test");
}

TEST(LayoutLibrary, DeletingTheDefaultLayoutForgetsIt) {
  MemorySettingsStore store;
  CBoardRegConfig record(store);
  StoreLayout(record, "Mine", Layout('#'));
  StoreLayout(record, "Other", Layout('$'));
  record.defaultboard = "Other";
  RemoveLayout(record, "Mine");
  EXPECT_EQ(record.defaultboard, "Other");
  RemoveLayout(record, "Other");
  EXPECT_EQ(record.defaultboard, "");
  EXPECT_EQ(CBoardRegConfig(store).defaultboard, "");
}

}  // namespace
}  // namespace lumiquad
