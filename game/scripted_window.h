#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "game/game_window.h"

namespace lumiquad {

// A window without a screen, for the headless driver and the tests: it keeps the move log and
// every message it is shown, and answers questions from queues filled in advance (with a
// default answer when a queue is empty).
class ScriptedWindow : public GameWindow {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    bool question = false;
    friend bool operator==(const Message&, const Message&) = default;
  };

  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) override;
  char AskBlankLetter() override;
  GameOverChoice AskGameOverChoice() override;
  UnkeptGameChoice AskUnkeptGame(const std::string& text) override;
  std::optional<std::string> AskSavePath(const FileDialog& dialog) override;
  std::optional<std::string> AskOpenPath(const FileDialog& dialog) override;
  void SetBusy(bool busy) override { busy_ = busy; }
  void SetButtonMode(ButtonMode mode) override { buttonMode = mode; }
  void EnableGameButton(bool enabled) override { gameButtonEnabled = enabled; }
  void AppendLog(const std::string& text) override { log += text; }
  void ClearLog() override { log.clear(); }
  std::size_t LogLength() const override { return log.size(); }
  void CutLog(std::size_t length) override { log.resize(std::min(length, log.size())); }
  void SetStatusText(const std::string& text) override { statusText = text; }
  void SetTitle(const std::string& text) override { title = text; }
  void Repaint(bool) override { ++repaints; }
  void TilesChanged() override { ++tileChanges; }
  void ClearTiles() override { ++tileClears; }
  void ReturnTurnTiles() override { ++turnTilesReturned; }
  bool OpenDocument(const std::string& path) override;
  void RequestClose() override { closeRequested = true; }
  bool WordListProgress(int percent) override {
    progressTold.push_back(percent);
    return !stopWordListBuild;
  }

  bool Busy() const { return busy_; }

  // What the window was shown.
  std::vector<Message> messages;
  std::vector<FileDialog> dialogs;
  std::string log;
  std::string statusText;
  std::string title;
  ButtonMode buttonMode = ButtonMode::Play;
  bool gameButtonEnabled = false;
  int repaints = 0;
  int tileChanges = 0;
  int tileClears = 0;
  int turnTilesReturned = 0;
  std::vector<std::string> openedDocuments;
  bool closeRequested = false;

  // The answers it gives.
  std::deque<char> blankLetters;                 // default 'E'
  std::deque<GameOverChoice> gameOverChoices;    // default ExitProgram
  std::deque<UnkeptGameChoice> unkeptChoices;    // default Discard
  std::deque<bool> yesNoAnswers;                 // default No
  std::deque<std::optional<std::string>> paths;  // default: cancelled
  bool documentsOpen = true;
  bool stopWordListBuild = false;
  std::vector<int> progressTold;

 private:
  bool busy_ = false;
};

}  // namespace lumiquad
