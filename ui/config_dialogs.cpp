#include "ui/config_dialogs.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include <algorithm>

#include "game/game_engine.h"
#include "model/presets.h"
#include "ui/dialog_parts.h"
#include "ui/prompter.h"

namespace lumiquad {

BonusDialog::BonusDialog(GameEngine& engine, Prompter& prompter, RepaintRequest changed,
                         QWidget* parent)
    : QDialog(parent), engine_(engine), prompter_(prompter), changed_(std::move(changed)) {
  setWindowTitle("Set bonus score");
  auto* layout = new QGridLayout(this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName("bonus");
  layout->addWidget(edit_, 0, 0);
  auto* ok = MakeButton(this, "OK", "ok");
  ok->setDefault(true);
  layout->addWidget(ok, 0, 1);
  connect(ok, &QPushButton::clicked, this, &BonusDialog::Set);
}

void BonusDialog::Set() {
  const std::string text = edit_->text().toStdString();
  // Digits only, not 0, and no more than the largest bonus: a long run of digits is refused
  // rather than read past the integer range.
  int value = 0;
  bool valid = !text.empty();
  for (char c : text) {
    valid = valid && c >= '0' && c <= '9';
    if (valid) value = std::min(value * 10 + (c - '0'), 10000);
  }
  valid = valid && value >= 1 && value <= 9999;
  if (valid) {
    prompter_.ShowMessage(this, "You have set the bonus to " + text, "Bonus", MessageIcon::None);
    engine_.SetBonus(value);
    changed_();
  } else {
    prompter_.ShowMessage(this, "Invalid input string, must be an integer", "Invalid value",
                          MessageIcon::None);
  }
  accept();
}

NamesDialog::NamesDialog(GameEngine& engine, Prompter& prompter, RepaintRequest changed,
                         QWidget* parent)
    : QDialog(parent), engine_(engine), prompter_(prompter), changed_(std::move(changed)) {
  setWindowTitle("Type a name for either the computer or yourself");
  auto* layout = new QGridLayout(this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName("name");
  layout->addWidget(edit_, 0, 0, 1, 2);
  auto* computer = MakeButton(this, "Comp Name", "computer");
  auto* human = MakeButton(this, "Your Name", "human");
  layout->addWidget(computer, 1, 0);
  layout->addWidget(human, 1, 1);
  connect(computer, &QPushButton::clicked, this, [this] { Set(true); });
  connect(human, &QPushButton::clicked, this, [this] { Set(false); });
}

void NamesDialog::Set(bool computer) {
  const QString text = edit_->text();
  if (text.isEmpty() || text.size() > 8) {
    prompter_.ShowMessage(this, "Input string must be 1-8 characters long", "Invalid value",
                          MessageIcon::None);
  } else {
    const std::string name = text.toStdString();
    if (computer) {
      prompter_.ShowMessage(this, "You have set the program name to " + name, "Program Name",
                            MessageIcon::None);
    } else {
      prompter_.ShowMessage(this, "You have set your name to " + name, "Your Name",
                            MessageIcon::None);
    }
    CPlayerRegConfig& config = engine_.PlayerAt(computer).config;
    config.name = name;
    config.Save();
    changed_();
  }
  accept();
}

LetterValuesDialog::LetterValuesDialog(GameEngine& engine, Prompter& prompter,
                                       RepaintRequest changed, QWidget* parent)
    : QDialog(parent), engine_(engine), prompter_(prompter), changed_(std::move(changed)) {
  setWindowTitle("Set the score for each letter");
  auto* layout = new QGridLayout(this);
  presets_ = new QComboBox(this);
  presets_->setObjectName("presets");
  for (const ValuePreset& preset : ValuePresets()) {
    presets_->addItem(QString::fromUtf8(preset.name.data(), static_cast<int>(preset.name.size())));
  }
  letters_ = new QComboBox(this);
  letters_->setObjectName("letters");
  for (char letter = 'A'; letter <= 'Z'; ++letter) letters_->addItem(QString(QChar(letter)));
  values_ = new QComboBox(this);
  values_->setObjectName("values");
  for (int value = 0; value <= kMaxLetterValue; ++value) values_->addItem(QString::number(value));
  current_ = new QListWidget(this);
  current_->setObjectName("current");
  layout->addWidget(new QLabel("Presets", this), 0, 0);
  layout->addWidget(presets_, 1, 0);
  layout->addWidget(new QLabel("Letter", this), 2, 0);
  layout->addWidget(letters_, 3, 0);
  layout->addWidget(new QLabel("Value", this), 4, 0);
  layout->addWidget(values_, 5, 0);
  layout->addWidget(new QLabel("Current letter values", this), 0, 1);
  layout->addWidget(current_, 1, 1, 6, 1);
  auto* apply = MakeButton(this, "Apply", "apply");
  apply->setDefault(true);
  auto* close = MakeButton(this, "Close", "close");
  auto* defaults = MakeButton(this, "Defaults", "defaults");
  auto* undo = MakeButton(this, "Undo Defaults", "undo");
  layout->addWidget(apply, 7, 0);
  layout->addWidget(close, 7, 1);
  layout->addWidget(defaults, 8, 0);
  layout->addWidget(undo, 8, 1);
  connect(apply, &QPushButton::clicked, this, &LetterValuesDialog::Apply);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(defaults, &QPushButton::clicked, this, &LetterValuesDialog::Defaults);
  connect(undo, &QPushButton::clicked, this, &LetterValuesDialog::UndoDefaults);
  Refill();
}

void LetterValuesDialog::Refill() {
  current_->clear();
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    current_->addItem(QString(QChar(letter)) + " " +
                      QString::number(engine_.GetBoard().LetterValue(letter)));
  }
  presets_->setCurrentIndex(-1);
  letters_->setCurrentIndex(-1);
  values_->setCurrentIndex(-1);
}

void LetterValuesDialog::Apply() {
  Board& board = engine_.GetBoard();
  const int letter = letters_->currentIndex();
  const int value = values_->currentIndex();
  const int preset = presets_->currentIndex();
  if (letter >= 0 && value >= 0) {
    board.SetLetterValue(letter, value);
    Refill();
    changed_();
  } else if (preset >= 0) {
    if (preset == 0) board.valuesBeforeDefaults = board.GetLetterValues();
    ApplyValuePreset(board, preset);
    Refill();
    const std::string_view name = ValuePresets()[static_cast<std::size_t>(preset)].name;
    prompter_.ShowMessage(this, std::string(name) + " preset applied", "Information",
                          MessageIcon::None);
    changed_();
  }
}

void LetterValuesDialog::Defaults() {
  Board& board = engine_.GetBoard();
  board.valuesBeforeDefaults = board.GetLetterValues();
  for (int i = 0; i < kLetterCount; ++i) {
    board.SetLetterValue(i, ValuePresets()[0].values[static_cast<std::size_t>(i)]);
  }
  Refill();
  changed_();
}

void LetterValuesDialog::UndoDefaults() {
  Board& board = engine_.GetBoard();
  for (int i = 0; i < kLetterCount; ++i) {
    board.SetLetterValue(i, board.valuesBeforeDefaults[static_cast<std::size_t>(i)]);
  }
  Refill();
  changed_();
}

FrequencyDialog::FrequencyDialog(GameEngine& engine, Prompter& prompter, RepaintRequest changed,
                                 QWidget* parent)
    : QDialog(parent), engine_(engine), prompter_(prompter), changed_(std::move(changed)) {
  setWindowTitle("Letter frequency options.");
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("Choose here:", this), 0, 0, 1, 2);
  presets_ = new QComboBox(this);
  presets_->setObjectName("presets");
  for (int i = 0; i < kFrequencyPresetCount; ++i) {
    const std::string_view name = FrequencyPresetName(i);
    presets_->addItem(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
  }
  presets_->setCurrentIndex(-1);
  layout->addWidget(presets_, 1, 0, 1, 2);
  auto* apply = MakeButton(this, "Apply", "apply");
  apply->setDefault(true);
  auto* close = MakeButton(this, "Close", "close");
  layout->addWidget(apply, 2, 0);
  layout->addWidget(close, 2, 1);
  connect(apply, &QPushButton::clicked, this, &FrequencyDialog::Apply);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void FrequencyDialog::Apply() {
  // Without a choice nothing is laid, and the bag as it stands is not taken for a full set.
  const int preset = presets_->currentIndex();
  if (preset < 0 || preset >= kFrequencyPresetCount) return;
  ApplyFrequencyPreset(engine_.GetBag(), preset);
  std::string letters;
  for (char tile : engine_.GetBag().GetContents(true)) {
    if (letters.size() % 20 == 0) letters += '\n';
    letters += tile;
  }
  prompter_.ShowMessage(this, "Letters in the game will be:\n" + letters, kApplicationTitle,
                        MessageIcon::None);
  changed_();
}

}  // namespace lumiquad
