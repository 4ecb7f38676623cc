#pragma once

#include <vector>

#include "game/move_record.h"

namespace lumiquad {

// The review of a game: its own copy of the records, the one shown, and the way the last step
// went (1 back, 0 forward), which the board view reads.
class HistoryViewer {
 public:
  explicit HistoryViewer(std::vector<MoveRecord> records) : records_(std::move(records)) {}

  const std::vector<MoveRecord>& Records() const { return records_; }
  // The record at index, or null outside the list.
  const MoveRecord* At(int index) const {
    return index >= 0 && index < static_cast<int>(records_.size())
               ? &records_[static_cast<std::size_t>(index)]
               : nullptr;
  }

  int index = 0;
  int direction = 0;
  int shown = 0;  // the record on the board now (a step back shows one and then moves on)

 private:
  std::vector<MoveRecord> records_;
};

}  // namespace lumiquad
