#pragma once

#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

namespace lumiquad {

// The longest name or password a dialog takes: well within what the settings file keeps, even
// when every character takes four bytes.
inline constexpr int kMaxTypedText = 100;

// A dialog button that Enter does not press unless it is made the default; the name lets tests
// find it.
inline QPushButton* MakeButton(QWidget* parent, const char* text, const char* name) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

// A password field that shows '*' for every character typed.
inline QLineEdit* MakePasswordEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setEchoMode(QLineEdit::Password);
  edit->setMaxLength(kMaxTypedText);
  edit->setStyleSheet("lineedit-password-character: 42");
  return edit;
}

}  // namespace lumiquad
