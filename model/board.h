#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/layouts.h"
#include "model/square.h"
#include "settings/layout_library.h"
#include "settings/reg_records.h"

namespace lumiquad {

class WordList;

// The playing surface: a live grid of 15 by 15 squares, a backup grid that trial placements
// are taken back from, the letter values and the layout library (both kept in the board
// record it extends), and a non-owning reference to the main word list.
// A letter's value from a table of values, taken in upper case; 0 for anything but a letter.
inline int LetterValueIn(const LetterTable& values, char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return 0;
  return values[static_cast<std::size_t>(letter - 'A')];
}

// Whether a square beside (row, column) across `axis` of a grid of 15 by 15 squares (anything
// giving them by Cell(row, column)) holds a tile: for axis 0 (across) the squares above and
// below, for axis 1 (down) those left and right. Other axes: false.
template <typename Grid>
bool TileBeside(const Grid& grid, int row, int column, int axis) {
  auto tileAt = [&grid](int r, int c) {
    return r >= 0 && r < kBoardSize && c >= 0 && c < kBoardSize && grid.Cell(r, c).HasTile();
  };
  if (axis == 0) return tileAt(row - 1, column) || tileAt(row + 1, column);
  if (axis == 1) return tileAt(row, column + 1) || tileAt(row, column - 1);
  return false;
}

class Board : public CBoardRegConfig {
 public:
  // Builds both grids with their coordinates, loads the letter values (the Lumiquad values when
  // none are stored) and lays the default layout: the built-in Lumiquad one when no name is
  // remembered, else the stored layout of that name (all Plain when it is not found).
  Board(SettingsStore& store, const WordList* dictionary);

  int RowCount() const { return kBoardSize; }
  int ColumnCount() const { return kBoardSize; }

  // The live square at (row, column), or null off the board. A square reached through the
  // mutable form is for immediate use: writes through a pointer kept across a snapshot or a
  // trial placement are not seen by them.
  Square* SquareAt(int row, int column);
  const Square* SquareAt(int row, int column) const {
    return OnBoard(row, column) ? &Cell(row, column) : nullptr;
  }
  // The live square at a position known to be on the board.
  const Square& Cell(int row, int column) const {
    return live_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  static bool OnBoard(int row, int column) {
    return row >= 0 && row < kBoardSize && column >= 0 && column < kBoardSize;
  }
  // The backup square at (row, column), or null off the board.
  const Square* BackupSquareAt(int row, int column) const;

  static bool HasTile(const Square& square) { return square.HasTile(); }
  static bool IsEmpty(const Square& square) { return square.IsEmpty(); }
  // Whether a square beside (row, column) across `axis` holds a tile: for axis 0 (across) the
  // squares above and below, for axis 1 (down) those left and right. Other axes: false.
  bool HasNeighbour(int row, int column, int axis) const;
  bool IsBoardEmpty() const;
  // Whether a placement of `count` squares from (row, column) along `direction` (0 across, 1
  // down) joins the board: one of those squares holds a tile or touches one on any side, or the
  // board is empty. A square off the board answers false.
  bool IsConnected(int row, int column, int direction, int count) const;

  // The player whose tiles are laid now (0 the human, 1 the computer), set before every move.
  int Mover() const { return mover_; }
  void SetMover(int mover) { mover_ = mover == 1 ? 1 : 0; }

  // Copies every live square (all fields) to the backup grid, and back.
  void SaveSnapshot();
  void RestoreSnapshot();

  // A trial placement, as SaveSnapshot, writes and then SaveSnapshot (commit) or
  // RestoreSnapshot (roll back) would do it, but copying only the squares written whenever the
  // backup grid is known to equal the live grid already.
  void BeginTrial();
  void LayTrialTile(int row, int column, char letter, bool blank, int placedBy);
  void CommitTrial();
  void RollbackTrial();

  // Lays a built-in layout: every square gets its kind code and loses any tile.
  void LayLumiquad() { LayLayout(BuiltInLayout(GameType::Lumiquad)); }
  void LayScrabble() { LayLayout(BuiltInLayout(GameType::Scrabble)); }
  void LayLiterati() { LayLayout(BuiltInLayout(GameType::Literati)); }
  void LayBuiltIn(GameType type) { LayLayout(BuiltInLayout(type)); }
  // Lays kLayoutLength kind codes (characters that are no kind code lay Plain); a text of any
  // other length changes nothing.
  void LayLayout(std::string_view layout);
  // Start of a game: the Lumiquad layout, then the current named layout over it.
  void ResetBoard();
  // Sets the character of a live square; calls off the board are ignored.
  void SetSquareKind(int row, int column, char code);

  // The letter's value from the table, taken in upper case; 0 for anything but a letter.
  int LetterValue(char letter) const { return LetterValueIn(letterval, letter); }
  LetterTable GetLetterValues() const { return letterval; }
  // Sets one entry (index 0 to 25, held to 0..20); other indexes are ignored. Not saved at once.
  void SetLetterValue(int index, int value);
  // Replaces all 26 values (each held to 0..20) and saves the record.
  void SetLetterValues(const LetterTable& values);

  const WordList* DictionaryRef() const { return dictionary_; }
  void SetDictionaryRef(const WordList* dictionary) { dictionary_ = dictionary; }

  // The letter values as they were before the Lumiquad values were last laid over them from
  // the letter values dialog, so that it can undo that.
  LetterTable valuesBeforeDefaults{};

  // The anchor square the computer's search worked on last: its working copy, kept with the
  // board and cleared when a game starts.
  Square searchAnchor;

  // The layout a new game starts on (the Lumiquad layout with the current named layout laid
  // over it), worked out without touching the board or its record.
  std::string StartingLayout() const;

  // The live grid's first characters as a layout text, row by row.
  std::string LayoutString() const;
  // The 225 live squares, row by row.
  std::vector<Square> Squares() const;

  // Layout library. SaveLayoutAs stores the live grid's kinds (tiles as Plain) under a new name.
  SaveLayoutResult SaveLayoutAs(const std::string& name);
  // Lays the stored layout of that name and makes it the default; nothing when the name is not
  // stored or its text is not 225 characters long. The name of a game type that is not stored
  // (a full library had no room for it) stands for that type's built-in layout.
  void ApplyLayoutByName(const std::string& name);
  void SetDefaultBoard(const std::string& name);
  void DeleteLayout(const std::string& name);
  std::array<std::string, kLayoutSlots> GetLayoutNames() const { return name; }

  // Board editing outside a game. Stepping moves a square along the kind ring (off the board:
  // ignored). Clear keeps a copy of the live grid and makes every square Plain; Undo Clear lays
  // that copy again (all Plain before the first Clear). The copy is the editor's own: the move
  // evaluation's snapshot never reaches it.
  void StepSquareKind(int row, int column, bool forward);
  void ClearBoardLayout();
  void UndoClearBoardLayout();

 private:
  using Grid = std::array<std::array<Square, kBoardSize>, kBoardSize>;
  // The layout a name lays (see ApplyLayoutByName), or nothing.
  std::optional<std::string_view> LayoutNamed(const std::string& layoutName) const;
  static Grid NewGrid();
  Square& LiveCell(int row, int column) {
    return live_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  Square& BackupCell(int row, int column) {
    return backup_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }

  Grid live_;
  Grid backup_;
  Grid clearCopy_;
  const WordList* dictionary_ = nullptr;
  int mover_ = 0;
  // True while the backup grid is known to equal the live grid; any write to the live grid
  // outside a trial clears it.
  bool backupMatchesLive_ = true;
  // The squares a trial has written, when it could keep count of them.
  std::array<std::array<std::int8_t, 2>, kBoardSize> trialSquares_{};
  int trialCount_ = 0;
  bool trialTracked_ = true;
};

inline bool Board::HasNeighbour(int row, int column, int axis) const {
  return TileBeside(*this, row, column, axis);
}

}  // namespace lumiquad
