#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QInputDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>

#include "ui/game_dialogs.h"
#include "ui/prompter.h"

namespace lumiquad {

namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

std::optional<std::string> AskPath(QWidget* parent, const FileDialog& dialog, bool save) {
  QFileDialog files(parent, QString::fromStdString(dialog.title));
  files.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  files.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  files.setNameFilter(QtFileFilter(dialog.filter));
  // Qt adds no extension by itself: the dialog's default one is added to a bare name.
  QString suffix = QString::fromStdString(dialog.defaultExtension);
  if (suffix.startsWith('.')) suffix.remove(0, 1);
  files.setDefaultSuffix(suffix);
  if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) return std::nullopt;
  return files.selectedFiles().front().toStdString();
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|', Qt::SkipEmptyParts);
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString label = parts[i];
    label.replace("(*.*)", "(*)");
    filters << label;
  }
  return filters.join(";;");
}

void QtPrompter::ShowMessage(QWidget* parent, const std::string& text, const std::string& caption,
                             MessageIcon icon) {
  QMessageBox box(IconOf(icon), QString::fromStdString(caption), QString::fromStdString(text),
                  QMessageBox::Ok, parent);
  box.exec();
}

bool QtPrompter::AskYesNo(QWidget* parent, const std::string& text, const std::string& caption,
                          MessageIcon icon) {
  QMessageBox box(IconOf(icon), QString::fromStdString(caption), QString::fromStdString(text),
                  QMessageBox::Yes | QMessageBox::No, parent);
  return box.exec() == QMessageBox::Yes;
}

char QtPrompter::AskBlankLetter(QWidget* parent) {
  for (;;) {
    BlankLetterDialog dialog(parent);
    dialog.exec();
    if (dialog.Result() >= 0) return static_cast<char>('A' + dialog.Result());
  }
}

UnkeptGameChoice QtPrompter::AskUnkeptGame(QWidget* parent, const std::string& text) {
  QMessageBox box(QMessageBox::Warning, "Keep Game", QString::fromStdString(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return UnkeptGameChoice::SaveElsewhere;
    case QMessageBox::Discard:
      return UnkeptGameChoice::Discard;
    default:
      return UnkeptGameChoice::Cancel;
  }
}

GameOverChoice QtPrompter::AskGameOverChoice(QWidget* parent) {
  GameOverDialog dialog(parent);
  dialog.exec();
  return dialog.Choice();
}

std::optional<std::string> QtPrompter::AskSavePath(QWidget* parent, const FileDialog& dialog) {
  return AskPath(parent, dialog, true);
}

std::optional<std::string> QtPrompter::AskOpenPath(QWidget* parent, const FileDialog& dialog) {
  return AskPath(parent, dialog, false);
}

std::optional<std::string> QtPrompter::AskText(QWidget* parent, const std::string& title,
                                               const std::string& label) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(parent, QString::fromStdString(title), QString::fromStdString(label),
                            QLineEdit::Normal, QString(), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

bool QtPrompter::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace lumiquad
