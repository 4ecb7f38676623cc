#pragma once

#include <QtWidgets/QDialog>

class QCheckBox;
class QLineEdit;

namespace lumiquad {

class CWinRegConfig;
class GameEngine;
class Prompter;

// "Filter adult language": the filter switch, behind the password when one is set.
class FoulDialog : public QDialog {
  Q_OBJECT
 public:
  FoulDialog(CWinRegConfig& settings, GameEngine& engine, Prompter& prompter,
             QWidget* parent = nullptr);

 private:
  void SetFilterPressed();

  CWinRegConfig& settings_;
  GameEngine& engine_;
  Prompter& prompter_;
  QLineEdit* password_;
  QCheckBox* filter_;
};

// "Change Password": the old password and the new one twice.
class PasswordDialog : public QDialog {
  Q_OBJECT
 public:
  PasswordDialog(CWinRegConfig& settings, Prompter& prompter, QWidget* parent = nullptr);

 private:
  void SetPasswordPressed();

  CWinRegConfig& settings_;
  Prompter& prompter_;
  QLineEdit* old_;
  QLineEdit* password_;
  QLineEdit* again_;
};

}  // namespace lumiquad
