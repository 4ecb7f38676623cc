#include "ui/game_dialogs.h"

#include <QtGui/QCloseEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace lumiquad {

BlankLetterDialog::BlankLetterDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Select a letter");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Choose a letter to replace the blank", this));
  letters_ = new QComboBox(this);
  letters_->setObjectName("letters");
  for (char letter = 'A'; letter <= 'Z'; ++letter) letters_->addItem(QString(QChar(letter)));
  letters_->setCurrentIndex(-1);
  layout->addWidget(letters_);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ok");
  ok->setDefault(true);
  layout->addWidget(ok, 0, Qt::AlignRight);
  connect(ok, &QPushButton::clicked, this, [this] {
    result_ = letters_->currentIndex();
    accept();
  });
}

GameOverDialog::GameOverDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Game over");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* layout = new QHBoxLayout(this);
  const std::pair<const char*, GameOverChoice> buttons[] = {
      {"&Play again", GameOverChoice::PlayAgain},
      {"&Save Game", GameOverChoice::SaveGame},
      {"&Review", GameOverChoice::Review},
      {"E&xit Program", GameOverChoice::ExitProgram},
  };
  for (const auto& [label, choice] : buttons) {
    auto* button = new QPushButton(label, this);
    button->setObjectName(QString("choice%1").arg(static_cast<int>(choice)));
    // Enter plays again, the first choice; there is no cancel, so Escape does nothing.
    button->setAutoDefault(false);
    button->setDefault(choice == GameOverChoice::PlayAgain);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, choice = choice] { Choose(choice); });
  }
}

void GameOverDialog::Choose(GameOverChoice choice) {
  choice_ = choice;
  chosen_ = true;
  accept();
}

void GameOverDialog::closeEvent(QCloseEvent* event) {
  if (!chosen_) event->ignore();
}

}  // namespace lumiquad
