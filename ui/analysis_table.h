#pragma once

#include <QtWidgets/QDockWidget>

#include <vector>

#include "game/move_record.h"

class QTableWidget;

namespace lumiquad {

// Beside the board while a game is reviewed: the shown position's alternatives as the
// computer ranked them (rank, move, score, leave, rating), the move played in bold. Choosing a
// row announces that move so the board can outline it.
class AnalysisTable : public QDockWidget {
  Q_OBJECT
 public:
  explicit AnalysisTable(QWidget* parent = nullptr);

  // Fills the table from a record of the history.
  void ShowRecord(const MoveRecord& record);
  QTableWidget* Table() const { return table_; }
  // The row of the move played, or -1 when it is not among the alternatives.
  int PlayedRow() const { return playedRow_; }

 signals:
  void MoveChosen(const Move& move);
  // The table's own close button: the user hid it.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QTableWidget* table_;
  std::vector<Move> moves_;
  int playedRow_ = -1;
};

// Whether two moves lay the same tiles on the same squares.
bool SamePlacement(const Move& a, const Move& b);

}  // namespace lumiquad
