#include "ui/analysis_table.h"

#include <QtGui/QCloseEvent>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QTableWidget>

#include <algorithm>

namespace lumiquad {

namespace {

// The move as the log names it, without its score: "(8H,across) CAT".
QString MoveText(const Move& move) {
  const std::string text = DescribeMove(move, 0, false);
  const std::size_t score = text.rfind(" = ");
  return QString::fromStdString(score == std::string::npos ? text : text.substr(0, score));
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(alignment | Qt::AlignVCenter);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return item;
}

}  // namespace

bool SamePlacement(const Move& a, const Move& b) {
  return !a.isPass && !a.isExchange && !b.isPass && !b.isExchange && a.row == b.row &&
         a.column == b.column && a.Direction() == b.Direction() &&
         a.placedLetters == b.placedLetters && a.blank1 == b.blank1 && a.blank2 == b.blank2;
}

AnalysisTable::AnalysisTable(QWidget* parent) : QDockWidget("Analysis", parent) {
  setObjectName("analysisTable");
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
              QDockWidget::DockWidgetFloatable);
  table_ = new QTableWidget(0, 5, this);
  table_->setObjectName("alternatives");
  table_->setHorizontalHeaderLabels({"Rank", "Move", "Score", "Leave", "Rating"});
  table_->verticalHeader()->hide();
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // One Tab stop for the whole table; the arrow keys move within it.
  table_->setTabKeyNavigation(false);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  table_->setAccessibleName("Alternatives");
  table_->setAccessibleDescription(
      "The moves the computer found for the position shown, best first");
  setWidget(table_);
  connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (row >= 0 && row < static_cast<int>(moves_.size())) {
      emit MoveChosen(moves_[static_cast<std::size_t>(row)]);
    }
  });
}

void AnalysisTable::ShowRecord(const MoveRecord& record) {
  moves_ = record.analysis.Ranked();
  playedRow_ = -1;
  const QSignalBlocker quiet(table_);
  table_->clearContents();
  table_->setRowCount(static_cast<int>(moves_.size()));
  for (int row = 0; row < static_cast<int>(moves_.size()); ++row) {
    const Move& move = moves_[static_cast<std::size_t>(row)];
    std::string leave = move.rackAfter;
    std::sort(leave.begin(), leave.end());
    QTableWidgetItem* cells[] = {
        Cell(QString::number(row + 1), Qt::AlignRight),
        Cell(MoveText(move), Qt::AlignLeft),
        Cell(QString::number(move.total), Qt::AlignRight),
        Cell(QString::fromStdString(leave), Qt::AlignLeft),
        Cell(QString::number(move.evaluation, 'f', 1), Qt::AlignRight),
    };
    const bool played = playedRow_ < 0 && SamePlacement(move, record.move);
    if (played) playedRow_ = row;
    for (int column = 0; column < 5; ++column) {
      QTableWidgetItem* cell = cells[column];
      if (played) {
        QFont bold = cell->font();
        bold.setBold(true);
        cell->setFont(bold);
        cell->setToolTip("The move played");
      }
      table_->setItem(row, column, cell);
    }
  }
  table_->setCurrentCell(-1, -1);
}

void AnalysisTable::closeEvent(QCloseEvent* event) {
  QDockWidget::closeEvent(event);
  emit Closed();
}

}  // namespace lumiquad
