#include "ui/filter_dialogs.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "game/game_engine.h"
#include "settings/reg_records.h"
#include "ui/dialog_parts.h"
#include "ui/prompter.h"
#include "words/language_filter.h"

namespace lumiquad {

FoulDialog::FoulDialog(CWinRegConfig& settings, GameEngine& engine, Prompter& prompter,
                       QWidget* parent)
    : QDialog(parent), settings_(settings), engine_(engine), prompter_(prompter) {
  setWindowTitle("Filter adult language");
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("Password", this), 0, 0);
  password_ = MakePasswordEdit(this, "password");
  layout->addWidget(password_, 0, 1);
  filter_ = new QCheckBox("Filter foul language", this);
  filter_->setObjectName("filter");
  filter_->setChecked(settings.filter != 0);
  layout->addWidget(filter_, 1, 0, 1, 2);
  auto* change = MakeButton(this, "Change Pass", "changePass");
  auto* set = MakeButton(this, "Set filter", "setFilter");
  auto* close = MakeButton(this, "Close", "close");
  layout->addWidget(change, 2, 0);
  layout->addWidget(set, 2, 1);
  layout->addWidget(close, 2, 2);
  connect(set, &QPushButton::clicked, this, &FoulDialog::SetFilterPressed);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(change, &QPushButton::clicked, this, [this] {
    PasswordDialog dialog(settings_, prompter_, this);
    dialog.exec();
  });
}

void FoulDialog::SetFilterPressed() {
  const SetFilterResult result =
      SetFilter(settings_, password_->text().toStdString(), filter_->isChecked());
  prompter_.ShowMessage(this, result.message.text, result.message.caption, MessageIcon::None);
  if (result.accepted) engine_.SetFilter(result.filterOn);
}

PasswordDialog::PasswordDialog(CWinRegConfig& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent), settings_(settings), prompter_(prompter) {
  setWindowTitle("Change Password");
  auto* layout = new QGridLayout(this);
  old_ = MakePasswordEdit(this, "old");
  password_ = MakePasswordEdit(this, "password");
  again_ = MakePasswordEdit(this, "again");
  layout->addWidget(new QLabel("Old", this), 0, 0);
  layout->addWidget(old_, 0, 1);
  layout->addWidget(new QLabel("Password", this), 1, 0);
  layout->addWidget(password_, 1, 1);
  layout->addWidget(new QLabel("Re-enter", this), 2, 0);
  layout->addWidget(again_, 2, 1);
  auto* set = MakeButton(this, "Set Password", "setPassword");
  set->setDefault(true);
  layout->addWidget(set, 3, 1);
  connect(set, &QPushButton::clicked, this, &PasswordDialog::SetPasswordPressed);
}

void PasswordDialog::SetPasswordPressed() {
  const SetPasswordResult result =
      SetPassword(settings_, old_->text().toStdString(), password_->text().toStdString(),
                  again_->text().toStdString());
  prompter_.ShowMessage(this, result.message.text, result.message.caption, MessageIcon::None);
  accept();
}

}  // namespace lumiquad
