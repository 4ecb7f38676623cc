#include "game/champion_leaves.h"

#include "model/bag.h"
#include "model/board.h"
#include "model/presets.h"
#include "settings/file_io.h"
#include "settings/program_paths.h"
#include "settings/reg_records.h"
#include "settings/settings_store.h"

namespace lumiquad {

std::optional<GameType> BuiltInTypeOf(const Board& board, const Bag& bag, int bonus) {
  for (GameType type : {GameType::Scrabble, GameType::Lumiquad, GameType::Literati}) {
    MemorySettingsStore store;
    FixedClock clock(1);
    CMoveRegConfig moveConfig(store);
    Board reference(store, nullptr);
    Bag referenceBag(store, clock);
    ApplyGameType(type, reference, referenceBag, moveConfig);
    if (board.StartingLayout() == BuiltInLayout(type) &&
        board.GetLetterValues() == reference.GetLetterValues() &&
        bag.Frequencies() == referenceBag.Frequencies() && bonus == moveConfig.GetBonus()) {
      return type;
    }
  }
  return std::nullopt;
}

std::optional<LeaveTable> ReadLearntLeaves(GameType type) {
  std::string name(GameTypeName(type));
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  const FileReadResult file = ReadFileLimited(DataFilePath("leaves-" + name + ".txt"), 1 << 20);
  if (file.status != FileReadStatus::Ok) return std::nullopt;
  return LeaveTable::Parse(file.contents);
}

}  // namespace lumiquad
