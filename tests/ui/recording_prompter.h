#pragma once

#include <QtCore/QUrl>

#include <deque>
#include <string>
#include <vector>

#include "game/scripted_window.h"
#include "ui/prompter.h"

namespace lumiquad::test {

// Stands in for the user at every message box and question: records what is shown and answers
// from queues, so GUI tests need no one to press OK.
class RecordingPrompter : public Prompter {
 public:
  using Message = ScriptedWindow::Message;

  void ShowMessage(QWidget*, const std::string& text, const std::string& caption,
                   MessageIcon icon) override {
    messages.push_back({text, caption, icon, false});
  }
  bool AskYesNo(QWidget*, const std::string& text, const std::string& caption,
                MessageIcon icon) override {
    messages.push_back({text, caption, icon, true});
    return Next(yesNo, false);
  }
  char AskBlankLetter(QWidget*) override { return Next(blankLetters, 'E'); }
  GameOverChoice AskGameOverChoice(QWidget*) override {
    return Next(gameOverChoices, GameOverChoice::ExitProgram);
  }
  UnkeptGameChoice AskUnkeptGame(QWidget*, const std::string& text) override {
    messages.push_back({text, "Keep Game", MessageIcon::Question, true});
    return Next(unkeptChoices, UnkeptGameChoice::Discard);
  }
  std::optional<std::string> AskSavePath(QWidget*, const FileDialog&) override {
    return Next(paths, std::optional<std::string>());
  }
  std::optional<std::string> AskOpenPath(QWidget*, const FileDialog&) override {
    return Next(paths, std::optional<std::string>());
  }
  std::optional<std::string> AskText(QWidget*, const std::string&, const std::string&) override {
    return Next(texts, std::optional<std::string>());
  }
  bool OpenUrl(const QUrl& url) override {
    urls.push_back(url.toString().toStdString());
    return urlsOpen;
  }

  std::vector<Message> messages;
  std::vector<std::string> urls;
  std::deque<char> blankLetters;
  std::deque<GameOverChoice> gameOverChoices;
  std::deque<UnkeptGameChoice> unkeptChoices;
  std::deque<std::optional<std::string>> paths;
  std::deque<std::optional<std::string>> texts;
  std::deque<bool> yesNo;
  bool urlsOpen = true;

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T next = queue.front();
    queue.pop_front();
    return next;
  }
};

}  // namespace lumiquad::test
