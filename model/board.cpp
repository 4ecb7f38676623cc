#include "model/board.h"

#include <algorithm>

#include "model/presets.h"

namespace lumiquad {

Board::Grid Board::NewGrid() {
  Grid grid;
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) {
      Square& square = grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
      square.row = r;
      square.column = c;
    }
  }
  return grid;
}

Board::Board(SettingsStore& store, const WordList* dictionary)
    : CBoardRegConfig(store), live_(NewGrid()), backup_(live_), clearCopy_(live_) {
  // A table of all zeros means no values were ever stored; a single 0 is a user's choice.
  if (std::all_of(letterval.begin(), letterval.end(), [](int value) { return value == 0; })) {
    SetLetterValues(ValuePresets()[0].values);
  }
  valuesBeforeDefaults = letterval;
  if (defaultboard.empty()) {
    LayLumiquad();
  } else {
    ApplyLayoutByName(defaultboard);
  }
  dictionary_ = dictionary;
}

Square* Board::SquareAt(int row, int column) {
  if (!OnBoard(row, column)) return nullptr;
  backupMatchesLive_ = false;
  return &LiveCell(row, column);
}

const Square* Board::BackupSquareAt(int row, int column) const {
  if (!OnBoard(row, column)) return nullptr;
  return &backup_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool Board::IsBoardEmpty() const {
  return std::none_of(live_.begin(), live_.end(), [](const auto& row) {
    return std::any_of(row.begin(), row.end(), [](const Square& s) { return s.HasTile(); });
  });
}

bool Board::IsConnected(int row, int column, int direction, int count) const {
  const int dr = direction == 0 ? 0 : 1;
  const int dc = direction == 0 ? 1 : 0;
  for (int i = 0; i < count; ++i, row += dr, column += dc) {
    if (!OnBoard(row, column)) return false;
    if (Cell(row, column).HasTile() || HasNeighbour(row, column, 0) ||
        HasNeighbour(row, column, 1)) {
      return true;
    }
    // An empty board joins any placement that starts on it; it is looked at only once.
    if (i == 0 && IsBoardEmpty()) return true;
  }
  return false;
}

void Board::SaveSnapshot() {
  backup_ = live_;
  backupMatchesLive_ = true;
}

void Board::RestoreSnapshot() {
  live_ = backup_;
  backupMatchesLive_ = true;
}

void Board::BeginTrial() {
  if (!backupMatchesLive_) SaveSnapshot();
  trialCount_ = 0;
  trialTracked_ = true;
}

void Board::LayTrialTile(int row, int column, char letter, bool blank, int placedBy) {
  if (trialCount_ < kBoardSize) {
    trialSquares_[static_cast<std::size_t>(trialCount_++)] = {static_cast<std::int8_t>(row),
                                                              static_cast<std::int8_t>(column)};
  } else {
    trialTracked_ = false;
  }
  Square& square = LiveCell(row, column);
  square.character = letter;
  square.blank = blank ? 1 : 0;
  square.placedBy = static_cast<std::uint8_t>(placedBy);
}

void Board::CommitTrial() {
  if (!trialTracked_) return SaveSnapshot();
  for (int i = 0; i < trialCount_; ++i) {
    auto [r, c] = trialSquares_[static_cast<std::size_t>(i)];
    BackupCell(r, c) = LiveCell(r, c);
  }
  trialCount_ = 0;
}

void Board::RollbackTrial() {
  if (!trialTracked_) return RestoreSnapshot();
  for (int i = 0; i < trialCount_; ++i) {
    auto [r, c] = trialSquares_[static_cast<std::size_t>(i)];
    LiveCell(r, c) = BackupCell(r, c);
  }
  trialCount_ = 0;
}

void Board::LayLayout(std::string_view layout) {
  if (layout.size() != static_cast<std::size_t>(kLayoutLength)) return;
  backupMatchesLive_ = false;
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) {
      Square& square = LiveCell(r, c);
      char code = layout[static_cast<std::size_t>(r * kBoardSize + c)];
      square.character = IsKindCode(code) ? code : KindCode(SquareKind::Plain);
      square.blank = 0;
      square.anchor = 0;
      square.placedBy = 0;
    }
  }
}

void Board::ResetBoard() {
  LayLumiquad();
  ApplyLayoutByName(defaultboard);
  searchAnchor = Square{};
}

void Board::SetSquareKind(int row, int column, char code) {
  if (Square* square = SquareAt(row, column)) square->character = code;
}

void Board::SetLetterValue(int index, int value) {
  if (index < 0 || index >= kLetterCount) return;
  letterval[static_cast<std::size_t>(index)] = std::clamp(value, 0, kMaxLetterValue);
}

void Board::SetLetterValues(const LetterTable& values) {
  for (int i = 0; i < kLetterCount; ++i) SetLetterValue(i, values[static_cast<std::size_t>(i)]);
  Save();
}

std::string Board::LayoutString() const {
  std::string layout;
  layout.reserve(kLayoutLength);
  for (const auto& row : live_) {
    for (const Square& square : row) layout += square.character;
  }
  return layout;
}

std::optional<std::string_view> Board::LayoutNamed(const std::string& layoutName) const {
  if (const std::string* stored = FindLayout(*this, layoutName)) {
    if (stored->size() != static_cast<std::size_t>(kLayoutLength)) return std::nullopt;
    return *stored;
  }
  if (std::optional<GameType> type = ParseGameType(layoutName)) return BuiltInLayout(*type);
  return std::nullopt;
}

std::vector<Square> Board::Squares() const {
  std::vector<Square> squares;
  squares.reserve(kLayoutLength);
  for (const auto& row : live_) squares.insert(squares.end(), row.begin(), row.end());
  return squares;
}

std::string Board::StartingLayout() const {
  std::string layout(BuiltInLayout(GameType::Lumiquad));
  if (std::optional<std::string_view> named = LayoutNamed(defaultboard)) {
    for (std::size_t i = 0; i < layout.size(); ++i) {
      layout[i] = IsKindCode((*named)[i]) ? (*named)[i] : KindCode(SquareKind::Plain);
    }
  }
  return layout;
}

SaveLayoutResult Board::SaveLayoutAs(const std::string& layoutName) {
  // Tiles left on the board are no part of a layout; they are stored as plain squares.
  std::string layout = LayoutString();
  for (char& code : layout) {
    if (!IsKindCode(code)) code = KindCode(SquareKind::Plain);
  }
  return StoreLayout(*this, layoutName, layout);
}

void Board::ApplyLayoutByName(const std::string& layoutName) {
  const std::optional<std::string_view> layout = LayoutNamed(layoutName);
  if (!layout) return;
  defaultboard = layoutName;
  LayLayout(*layout);
  Save();
}

void Board::SetDefaultBoard(const std::string& layoutName) {
  defaultboard = layoutName;
  Save();
}

void Board::DeleteLayout(const std::string& layoutName) { RemoveLayout(*this, layoutName); }

void Board::StepSquareKind(int row, int column, bool forward) {
  if (Square* square = SquareAt(row, column)) {
    square->character = StepKind(square->character, forward);
  }
}

void Board::ClearBoardLayout() {
  clearCopy_ = live_;
  LayLayout(std::string(kLayoutLength, KindCode(SquareKind::Plain)));
}

void Board::UndoClearBoardLayout() {
  live_ = clearCopy_;
  backupMatchesLive_ = false;
}

}  // namespace lumiquad
