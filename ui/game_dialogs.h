#pragma once

#include <QtWidgets/QDialog>

#include "game/game_window.h"

class QComboBox;

namespace lumiquad {

// "Select a letter": the letter a blank stands for. Result() is 0 to 25, or -1 when none was
// chosen; the caller asks again until one is.
class BlankLetterDialog : public QDialog {
  Q_OBJECT
 public:
  explicit BlankLetterDialog(QWidget* parent = nullptr);
  int Result() const { return result_; }

 private:
  QComboBox* letters_;
  int result_ = -1;
};

// "Game over": four ways on, and no other way out (no close button, Escape does nothing).
class GameOverDialog : public QDialog {
  Q_OBJECT
 public:
  explicit GameOverDialog(QWidget* parent = nullptr);
  GameOverChoice Choice() const { return choice_; }

 protected:
  void reject() override {}
  void closeEvent(QCloseEvent* event) override;

 private:
  void Choose(GameOverChoice choice);

  GameOverChoice choice_ = GameOverChoice::ExitProgram;
  bool chosen_ = false;
};

}  // namespace lumiquad
