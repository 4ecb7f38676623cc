#pragma once

#include <QtWidgets/QDialog>

#include <functional>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace lumiquad {

class GameEngine;
class Prompter;

// The configuration dialogs. Each shows its messages through the prompter and calls `changed`
// when the view should be repainted.
using RepaintRequest = std::function<void()>;

// "Set bonus score": a whole number from 1 to 9999.
class BonusDialog : public QDialog {
  Q_OBJECT
 public:
  BonusDialog(GameEngine& engine, Prompter& prompter, RepaintRequest changed,
              QWidget* parent = nullptr);

 private:
  void Set();

  GameEngine& engine_;
  Prompter& prompter_;
  RepaintRequest changed_;
  QLineEdit* edit_;
};

// "Type a name for either the computer or yourself": 1 to 8 characters.
class NamesDialog : public QDialog {
  Q_OBJECT
 public:
  NamesDialog(GameEngine& engine, Prompter& prompter, RepaintRequest changed,
              QWidget* parent = nullptr);

 private:
  void Set(bool computer);

  GameEngine& engine_;
  Prompter& prompter_;
  RepaintRequest changed_;
  QLineEdit* edit_;
};

// "Set the score for each letter": one letter's value, or a whole preset.
class LetterValuesDialog : public QDialog {
  Q_OBJECT
 public:
  LetterValuesDialog(GameEngine& engine, Prompter& prompter, RepaintRequest changed,
                     QWidget* parent = nullptr);

 private:
  void Apply();
  void Defaults();
  void UndoDefaults();
  void Refill();

  GameEngine& engine_;
  Prompter& prompter_;
  RepaintRequest changed_;
  QComboBox* presets_;
  QComboBox* letters_;
  QComboBox* values_;
  QListWidget* current_;
};

// "Letter frequency options.": lays a frequency preset in the bag and shows the tiles it gives.
class FrequencyDialog : public QDialog {
  Q_OBJECT
 public:
  FrequencyDialog(GameEngine& engine, Prompter& prompter, RepaintRequest changed,
                  QWidget* parent = nullptr);

 private:
  void Apply();

  GameEngine& engine_;
  Prompter& prompter_;
  RepaintRequest changed_;
  QComboBox* presets_;
};

}  // namespace lumiquad
