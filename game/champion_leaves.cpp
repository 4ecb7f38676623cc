#include "game/champion_leaves.h"

#include "game/type_table.h"
#include "settings/file_io.h"
#include "settings/program_paths.h"

namespace lumiquad {

std::optional<GameType> BuiltInTypeOf(const Board& board, const Bag& bag, int bonus) {
  for (GameType type : {GameType::Scrabble, GameType::Lumiquad, GameType::Literati}) {
    const TypeTable reference(type);
    if (board.StartingLayout() == BuiltInLayout(type) &&
        board.GetLetterValues() == reference.board.GetLetterValues() &&
        bag.Frequencies() == reference.bag.Frequencies() &&
        bonus == reference.moveConfig.GetBonus()) {
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
