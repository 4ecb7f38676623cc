#include "game/scripted_window.h"

namespace lumiquad {

namespace {

template <typename T>
T Next(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T next = std::move(queue.front());
  queue.pop_front();
  return next;
}

}  // namespace

void ScriptedWindow::ShowMessage(const std::string& text, const std::string& caption,
                                 MessageIcon icon) {
  messages.push_back({text, caption, icon, false});
}

bool ScriptedWindow::AskYesNo(const std::string& text, const std::string& caption,
                              MessageIcon icon) {
  messages.push_back({text, caption, icon, true});
  return Next(yesNoAnswers, false);
}

char ScriptedWindow::AskBlankLetter() { return Next(blankLetters, 'E'); }

GameOverChoice ScriptedWindow::AskGameOverChoice() {
  return Next(gameOverChoices, GameOverChoice::ExitProgram);
}

UnkeptGameChoice ScriptedWindow::AskUnkeptGame(const std::string& text) {
  messages.push_back({text, "Keep Game", MessageIcon::Question, true});
  return Next(unkeptChoices, UnkeptGameChoice::Discard);
}

std::optional<std::string> ScriptedWindow::AskSavePath(const FileDialog& dialog) {
  dialogs.push_back(dialog);
  return Next(paths, std::optional<std::string>());
}

std::optional<std::string> ScriptedWindow::AskOpenPath(const FileDialog& dialog) {
  dialogs.push_back(dialog);
  return Next(paths, std::optional<std::string>());
}

bool ScriptedWindow::OpenDocument(const std::string& path) {
  openedDocuments.push_back(path);
  return documentsOpen;
}

}  // namespace lumiquad
