#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ai/champion.h"

namespace lumiquad {

enum class GameState { NoGame = 0, Playing = 1, GameOver = 2, Reviewing = 3 };

enum class MessageIcon { None, Information, Question };

// Which buttons are on: play mode (Review, Submit, Change, Pass) or review mode (<<, >>, Game,
// Start, End).
enum class ButtonMode { Play, Review };

enum class GameOverChoice { PlayAgain, SaveGame, Review, ExitProgram };

// What to do with a game in play that could not be kept for resuming.
enum class UnkeptGameChoice { SaveElsewhere, Discard, Cancel };

// A file dialog: its title, the extension added when none is typed, and the filter in the form
// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||".
struct FileDialog {
  std::string title;
  std::string defaultExtension;
  std::string filter;
};

// Everything the game asks of the window it is shown in. The desktop window implements it; tests
// and the headless driver use stand-ins that record what they are asked.
class GameWindow {
 public:
  virtual ~GameWindow() = default;

  // A message box with an OK button.
  virtual void ShowMessage(const std::string& text, const std::string& caption,
                           MessageIcon icon) = 0;
  // A message box with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
  // The letter, 'A' to 'Z', a blank laid on the board stands for.
  virtual char AskBlankLetter() = 0;
  // The game-over dialog's four buttons; it offers no other way out.
  virtual GameOverChoice AskGameOverChoice() = 0;
  // A message box saying why the game in play could not be kept, with Save, Discard and Cancel.
  virtual UnkeptGameChoice AskUnkeptGame(const std::string& text) = 0;
  // The path chosen in a save or open dialog, or nothing when the user cancels.
  virtual std::optional<std::string> AskSavePath(const FileDialog& dialog) = 0;
  virtual std::optional<std::string> AskOpenPath(const FileDialog& dialog) = 0;

  // The wait cursor while the game works (the computer's turn, reports, files).
  virtual void SetBusy(bool busy) = 0;
  virtual void SetButtonMode(ButtonMode mode) = 0;
  virtual void EnableGameButton(bool enabled) = 0;
  // The move log: text is appended as it stands ("\n" ends a line).
  virtual void AppendLog(const std::string& text) = 0;
  virtual void ClearLog() = 0;
  // The log's length, and the log cut back to an earlier length (taking a turn back).
  virtual std::size_t LogLength() const = 0;
  virtual void CutLog(std::size_t length) = 0;
  // The first pane of the status bar.
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void Repaint(bool boardOnly) = 0;
  // The board, the racks or the review changed: the tile views follow the game's state.
  virtual void TilesChanged() = 0;
  // A game was dealt, opened or closed: every tile view of the game before goes, those laid
  // and not submitted included.
  virtual void ClearTiles() = 0;
  // The tiles the human laid on the board this turn go back to the rack.
  virtual void ReturnTurnTiles() = 0;
  // Asks the desktop to open a written file with its viewer; false when it could not.
  virtual bool OpenDocument(const std::string& path) = 0;
  // Closes the main window once the running command has returned.
  virtual void RequestClose() = 0;
  // How far the word structure of a new list has been built, 0 to 100 (100: done); answers
  // false when the user stops it. A window without a screen lets every build finish.
  virtual bool WordListProgress(int percent) { return percent >= 0; }
  // Runs the computer's long thinking and answers its result. A window may run it away from
  // its own thread and stay responsive, taking no command that changes the game meanwhile; the
  // work reads only its own copy of the position.
  virtual ChampionChoice Think(const std::function<ChampionChoice()>& work) { return work(); }
};

// The program's name, the caption of its own messages.
inline constexpr const char* kApplicationTitle = "Lumiquad";
inline constexpr const char* kWindowTitle = "Welcome To Lumiquad!";

}  // namespace lumiquad
