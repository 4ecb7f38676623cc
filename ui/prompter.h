#pragma once

#include <QtCore/QString>

#include <optional>
#include <string>

#include "game/game_window.h"

class QUrl;
class QWidget;

namespace lumiquad {

// The questions and messages the desktop program puts to the user: message boxes, the blank
// letter, the game-over choice, file names, and opening a document or a web page. The program
// shows real dialogs; tests answer from a recorder, so no one has to press OK.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual void ShowMessage(QWidget* parent, const std::string& text, const std::string& caption,
                           MessageIcon icon) = 0;
  virtual bool AskYesNo(QWidget* parent, const std::string& text, const std::string& caption,
                        MessageIcon icon) = 0;
  virtual char AskBlankLetter(QWidget* parent) = 0;
  virtual GameOverChoice AskGameOverChoice(QWidget* parent) = 0;
  // Save, Discard and Cancel for a game in play that could not be kept.
  virtual UnkeptGameChoice AskUnkeptGame(QWidget* parent, const std::string& text) = 0;
  virtual std::optional<std::string> AskSavePath(QWidget* parent, const FileDialog& dialog) = 0;
  virtual std::optional<std::string> AskOpenPath(QWidget* parent, const FileDialog& dialog) = 0;
  // A line of text, or nothing when the user cancels.
  virtual std::optional<std::string> AskText(QWidget* parent, const std::string& title,
                                             const std::string& label) = 0;
  // Asks the desktop to open a file or a web address; false when it could not.
  virtual bool OpenUrl(const QUrl& url) = 0;
};

// The real dialogs.
class QtPrompter : public Prompter {
 public:
  void ShowMessage(QWidget* parent, const std::string& text, const std::string& caption,
                   MessageIcon icon) override;
  bool AskYesNo(QWidget* parent, const std::string& text, const std::string& caption,
                MessageIcon icon) override;
  char AskBlankLetter(QWidget* parent) override;
  GameOverChoice AskGameOverChoice(QWidget* parent) override;
  UnkeptGameChoice AskUnkeptGame(QWidget* parent, const std::string& text) override;
  std::optional<std::string> AskSavePath(QWidget* parent, const FileDialog& dialog) override;
  std::optional<std::string> AskOpenPath(QWidget* parent, const FileDialog& dialog) override;
  std::optional<std::string> AskText(QWidget* parent, const std::string& title,
                                     const std::string& label) override;
  bool OpenUrl(const QUrl& url) override;
};

// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||" as Qt's "Text Files (*.txt);;All Files (*)".
QString QtFileFilter(const std::string& filter);

}  // namespace lumiquad
