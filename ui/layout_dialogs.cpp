#include "ui/layout_dialogs.h"

#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include <optional>
#include <string>

#include "model/board.h"
#include "ui/dialog_parts.h"
#include "ui/prompter.h"

namespace lumiquad {

SaveBoardDialog::SaveBoardDialog(Board& board, Prompter& prompter, QWidget* parent)
    : QDialog(parent), board_(board), prompter_(prompter) {
  setWindowTitle("Type a name to remember the board configuration");
  auto* layout = new QGridLayout(this);
  name_ = new QLineEdit(this);
  name_->setObjectName("name");
  name_->setMaxLength(kMaxTypedText);
  layout->addWidget(name_, 0, 0);
  auto* ok = MakeButton(this, "OK", "ok");
  ok->setDefault(true);
  layout->addWidget(ok, 0, 1);
  connect(ok, &QPushButton::clicked, this, &SaveBoardDialog::Save);
}

void SaveBoardDialog::Save() {
  const std::string name = name_->text().toStdString();
  if (name.empty()) return;
  switch (board_.SaveLayoutAs(name)) {
    case SaveLayoutResult::NotUnique:
      prompter_.ShowMessage(this, "Unable to save board layout as the chosen name is not unique",
                            "Unable to save", MessageIcon::None);
      break;
    case SaveLayoutResult::Full:
      prompter_.ShowMessage(this,
                            "Unable to save board layout as only a maximum of twenty board "
                            "layouts can be saved. Please delete one.",
                            "Unable to save", MessageIcon::None);
      break;
    case SaveLayoutResult::Saved:
      prompter_.ShowMessage(this, "You have saved the current board layout with the name " + name,
                            "Save", MessageIcon::None);
      accept();
      break;
  }
}

ChooseBoardDialog::ChooseBoardDialog(Board& board, std::function<void()> boardChanged,
                                     QWidget* parent)
    : QDialog(parent), board_(board), boardChanged_(std::move(boardChanged)) {
  setWindowTitle("Choose a board configuration");
  auto* layout = new QGridLayout(this);
  names_ = new QListWidget(this);
  names_->setObjectName("names");
  names_->setSortingEnabled(true);
  layout->addWidget(names_, 0, 0, 1, 3);
  auto* select = MakeButton(this, "Select", "select");
  auto* remove = MakeButton(this, "Delete", "delete");
  auto* close = MakeButton(this, "Close", "close");
  layout->addWidget(select, 1, 0);
  layout->addWidget(remove, 1, 1);
  layout->addWidget(close, 1, 2);
  // Only an entry the user selected is acted on: the list's current row alone (which Qt sets
  // to the first entry when the list takes the focus) chooses nothing.
  auto selected = [this]() -> std::optional<std::string> {
    const QList<QListWidgetItem*> items = names_->selectedItems();
    if (items.isEmpty()) return std::nullopt;
    return items.front()->text().toStdString();
  };
  connect(select, &QPushButton::clicked, this, [this, selected] {
    if (std::optional<std::string> name = selected()) {
      board_.ApplyLayoutByName(*name);
      boardChanged_();
    }
  });
  connect(remove, &QPushButton::clicked, this, [this, selected] {
    if (std::optional<std::string> name = selected()) {
      board_.DeleteLayout(*name);
      Fill();
    }
  });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  Fill();
}

void ChooseBoardDialog::Fill() {
  names_->clear();
  for (const std::string& name : board_.GetLayoutNames()) {
    if (!name.empty()) names_->addItem(QString::fromStdString(name));
  }
  names_->clearSelection();
  names_->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
}

}  // namespace lumiquad
