#pragma once

#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtCore/QString>
#include <QtWidgets/QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "game/game_engine.h"
#include "game/game_window.h"
#include "settings/reg_records.h"
#include "ui/view_geometry.h"

class QAction;
class QMenu;
class QUrl;
class QActionGroup;
class QLabel;
class QPlainTextEdit;
class QProgressDialog;
class QPushButton;
class QTimer;

namespace lumiquad {

class AnalysisTable;
class BoardView;
class Prompter;

// The program's one window: the menu bar and its commands, the board view, the move log, the
// nine buttons and the status bar. It owns the game engine and shows what the engine tells it;
// every rule is the engine's.
class MainFrame : public QMainWindow, public GameWindow {
  Q_OBJECT
 public:
  // smallScreen: the screen size class, or nothing to measure the screen.
  MainFrame(SettingsStore& store, const Clock& clock, CMoveRegConfig& moveConfig,
            Prompter& prompter, std::optional<bool> smallScreen = std::nullopt,
            QWidget* parent = nullptr);
  ~MainFrame() override;

  GameEngine& Engine() { return *engine_; }
  BoardView& View() { return *view_; }
  CWinRegConfig& Settings() { return settings_; }
  // A command of the command table by its number, and the buttons by theirs.
  QAction* Command(int id) const;
  QPushButton* Button(int id) const;
  QPlainTextEdit* Log() const { return log_; }
  AnalysisTable* Analysis() const { return analysis_; }
  const std::string& LogText() const { return logText_; }
  QString StatusText() const;

  // GameWindow.
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) override;
  char AskBlankLetter() override;
  GameOverChoice AskGameOverChoice() override;
  UnkeptGameChoice AskUnkeptGame(const std::string& text) override;
  std::optional<std::string> AskSavePath(const FileDialog& dialog) override;
  std::optional<std::string> AskOpenPath(const FileDialog& dialog) override;
  void SetBusy(bool busy) override;
  // The champion thinks on a thread of its own while the window goes on drawing; every command
  // and button is off until the answer comes back.
  ChampionChoice Think(const std::function<ChampionChoice()>& work) override;
  bool Thinking() const { return thinking_; }
  void SetButtonMode(ButtonMode mode) override;
  void EnableGameButton(bool enabled) override;
  void AppendLog(const std::string& text) override;
  void ClearLog() override;
  std::size_t LogLength() const override { return logText_.size(); }
  void CutLog(std::size_t length) override;
  void SetStatusText(const std::string& text) override;
  void SetTitle(const std::string& title) override;
  void Repaint(bool boardOnly) override;
  void TilesChanged() override;
  void ClearTiles() override;
  void ReturnTurnTiles() override;
  bool OpenDocument(const std::string& path) override;
  void RequestClose() override;
  bool WordListProgress(int percent) override;

  // The commands added to the menus, with numbers of their own.
  static constexpr int kHintCommand = 4030;
  static constexpr int kTakeBackCommand = 4031;
  static constexpr int kCheckWordCommand = 4032;
  static constexpr int kResumeCommand = 4033;
  static constexpr int kReviewCommand = 4034;
  static constexpr int kAnalysisTableCommand = 4035;
  static constexpr int kExportGcgCommand = 4036;
  static constexpr int kRecentGamesCommand = 4037;
  static constexpr int kPlayingAidsCommand = 4038;
  static constexpr int kImportGcgCommand = 4039;
  static constexpr int kChampionCommand = 4040;
  static constexpr int kChampionTimeCommand = 4041;
  // How long the champion may think over a turn, in milliseconds.
  static constexpr int kMinChampionTime = 100;
  static constexpr int kMaxChampionTime = 60000;

  // The window's starting size: the stored one, within the screen's free area with the window's
  // frame and its place at (30, 5).
  static QSize StartingSize(QSize stored, QRect available);

  // The colour and level commands: exactly one of each is checked. The champion's index comes
  // after the others'.
  void SetColour(int index);
  void SetLevel(int index);
  static constexpr int kChampionIndex = 11;
  void SetChampionTime(int milliseconds);
  int ChampionTime() const { return championTime_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  // Lists the kept games in File > Recent Games, each opening its game.
  void FillRecentGames();
  void BuildControls();
  void LayOutControls();
  QAction* AddCommand(QMenu* menu, int id, const QString& text, std::function<void()> handler);
  void RunSubmit();
  void RunPass();
  void RunChange();
  void RunHint();
  void RunTakeBack();
  void CheckWord();
  void UpdatePreview();
  // Every added command is enabled exactly when it can act, its shortcut with it.
  void UpdateCommands();
  // The analysis table shows while a review runs, unless the user hid it.
  void UpdateAnalysisTable();
  void SetAnalysisTableWanted(bool wanted);
  void SetPlayingAids(bool on);
  void RememberChampion(bool on);
  void StartReview();
  void SetDictionary();
  void OpenLetterFrequencies();
  void OpenHelp();
  void OpenAbout();
  void ShowLinkFailure(const QUrl& url);

  Prompter& prompter_;
  CWinRegConfig settings_;
  ViewGeometry geometry_;
  std::unique_ptr<GameEngine> engine_;
  BoardView* view_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  AnalysisTable* analysis_ = nullptr;
  // The analysis table is off until the user asks for it.
  bool analysisWanted_ = false;
  // While the table shows, the window's place before it; its size is then not the setting's.
  std::optional<QRect> geometryBeforeAnalysis_;
  bool analysisResizing_ = false;
  bool playingAids_ = true;
  bool champion_ = false;  // the level chosen is the champion (kept apart from the levels')
  int championTime_ = 1000;
  bool thinking_ = false;
  bool closeAfterThinking_ = false;
  // The computer's turn is told in the status bar only once it has taken a while.
  QTimer* thinkingNotice_ = nullptr;
  // Shown while a new word list's structure is built; whether the user stopped the last build.
  QProgressDialog* wordListProgress_ = nullptr;
  bool wordListStopped_ = false;
  QString thinkingText_;
  QString statusBeforeThinking_;
  QLabel* status_ = nullptr;
  QLabel* clock_ = nullptr;
  QTimer* timer_ = nullptr;
  std::map<int, QAction*> commands_;
  QMenu* recentGames_ = nullptr;
  std::map<int, QPushButton*> buttons_;
  QActionGroup* colours_ = nullptr;
  QActionGroup* levels_ = nullptr;
  std::string logText_;
  bool busy_ = false;
  int clientWidthAtStart_ = 0;
  bool widthChanged_ = false;
  bool shown_ = false;
};

}  // namespace lumiquad
