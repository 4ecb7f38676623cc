#pragma once

#include "model/bag.h"
#include "model/board.h"
#include "model/layouts.h"
#include "model/presets.h"
#include "settings/reg_records.h"
#include "settings/settings_store.h"

namespace lumiquad {

class WordList;

// A game type's board, letter values, tiles and bonus as a new game of that type has them, over
// settings of their own that nothing else reads or writes.
struct TypeTable {
  explicit TypeTable(GameType type, const WordList* words = nullptr)
      : board(store, words), bag(store, clock) {
    ApplyGameType(type, board, bag, moveConfig);
  }

  MemorySettingsStore store;
  FixedClock clock{1};
  CMoveRegConfig moveConfig{store};
  Board board;
  Bag bag;
};

}  // namespace lumiquad
