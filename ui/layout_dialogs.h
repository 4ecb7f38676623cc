#pragma once

#include <QtWidgets/QDialog>

#include <functional>

class QLineEdit;
class QListWidget;

namespace lumiquad {

class Board;
class Prompter;

// "Type a name to remember the board configuration": stores the board's layout by name.
class SaveBoardDialog : public QDialog {
  Q_OBJECT
 public:
  SaveBoardDialog(Board& board, Prompter& prompter, QWidget* parent = nullptr);

 private:
  void Save();

  Board& board_;
  Prompter& prompter_;
  QLineEdit* name_;
};

// "Choose a board configuration": lays or deletes a stored layout.
class ChooseBoardDialog : public QDialog {
  Q_OBJECT
 public:
  ChooseBoardDialog(Board& board, std::function<void()> boardChanged, QWidget* parent = nullptr);

 private:
  void Fill();

  Board& board_;
  std::function<void()> boardChanged_;
  QListWidget* names_;
};

}  // namespace lumiquad
