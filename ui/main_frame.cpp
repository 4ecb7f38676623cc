#include "ui/main_frame.h"

#include <QtCore/QEventLoop>
#include <QtCore/QTime>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtGui/QGuiApplication>
#include <QtGui/QIcon>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStatusBar>

#include <algorithm>
#include <cmath>
#include <thread>

#include "settings/program_paths.h"
#include "ui/analysis_table.h"
#include "ui/board_accessible.h"
#include "ui/board_view.h"
#include "ui/prompter.h"
#include "words/word_list_paths.h"

void InitLumiquadResources();

namespace lumiquad {

namespace {

// The view's own choices, kept beside the window's settings.
constexpr const char* kViewKey = "Software\\Lumiquad\\View";
constexpr const char* kAnalysisTableValue = "AnalysisTable";
constexpr const char* kPlayingAidsValue = "PlayingAids";
constexpr const char* kChampionValue = "Champion";
constexpr const char* kChampionTimeValue = "ChampionTime";
// How long the computer may think before the status bar says so.
constexpr int kThinkingNoticeMs = 300;
// The room the analysis table asks for beside the board.
constexpr int kAnalysisTableWidth = 380;

bool MeasureSmallScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr &&
         ViewGeometry::IsSmallScreen(screen->size().width(), screen->size().height());
}

}  // namespace

MainFrame::MainFrame(SettingsStore& store, const Clock& clock, CMoveRegConfig& moveConfig,
                     Prompter& prompter, std::optional<bool> smallScreen, QWidget* parent)
    : QMainWindow(parent),
      prompter_(prompter),
      settings_(store),
      geometry_(ViewGeometry::For(smallScreen.value_or(MeasureSmallScreen()))) {
  InitLumiquadResources();
  InstallBoardAccessibility();
  const std::string mainWords = ChooseMainWordListPath(settings_);
  engine_ = std::make_unique<GameEngine>(store, clock, moveConfig, *this, mainWords,
                                         SimpleWordListPath());
  engine_->SetFilter(settings_.filter != 0);
  if (const std::string state = UserFolder(UserFolderKind::State); !state.empty()) {
    engine_->SetResumeFolder(state);
  }
  settings_.SetWindowSize(!geometry_.small);

  view_ = new BoardView(geometry_, this);
  view_->SetEngine(engine_.get());
  setCentralWidget(view_);
  setWindowTitle(kWindowTitle);
  QIcon icon;
  for (int pixels : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QString(":/res/icons/lumiquad-%1.png").arg(pixels), QSize(pixels, pixels));
  }
  setWindowIcon(icon);
  if (std::optional<SettingsValues> view = store.OpenKey(kViewKey)) {
    auto flag = [&](const char* name, bool& flag) {
      const SettingsValue* stored = FindSettingsValue(*view, name);
      if (stored != nullptr && std::holds_alternative<std::int32_t>(*stored)) {
        flag = std::get<std::int32_t>(*stored) != 0;
      }
    };
    flag(kAnalysisTableValue, analysisWanted_);
    flag(kPlayingAidsValue, playingAids_);
    flag(kChampionValue, champion_);
    if (const SettingsValue* stored = FindSettingsValue(*view, kChampionTimeValue);
        stored != nullptr && std::holds_alternative<std::int32_t>(*stored)) {
      championTime_ =
          std::clamp(std::get<std::int32_t>(*stored), kMinChampionTime, kMaxChampionTime);
    }
  }
  view_->SetPlayingAids(playingAids_);
  analysis_ = new AnalysisTable(this);
  analysis_->setMinimumWidth(kAnalysisTableWidth - 20);
  addDockWidget(Qt::RightDockWidgetArea, analysis_);
  analysis_->hide();
  connect(analysis_, &AnalysisTable::Closed, this, [this] { SetAnalysisTableWanted(false); });
  connect(analysis_, &AnalysisTable::MoveChosen, this, [this](const Move& move) {
    const HistoryViewer* viewer = engine_->Viewer();
    if (viewer == nullptr) return;
    view_->ShowHint(TilesOfMove(move, viewer->At(viewer->shown)->board));
  });
  BuildMenus();
  BuildControls();
  SetColour(settings_.color);
  const bool champion = champion_;
  SetLevel(settings_.level);
  if (champion) SetLevel(kChampionIndex);
  engine_->SetChampionBudget(championTime_);
  move(30, 5);
  // Never larger than the screen's free area (a large text scale makes the stored size too
  // big): the board then starts zoomed out instead of running off the screen.
  const QScreen* screen = QGuiApplication::primaryScreen();
  resize(StartingSize(QSize(settings_.width - 30, settings_.height - 5),
                      screen != nullptr ? screen->availableGeometry() : QRect()));
  // The board is drawn at zoom 1 in the window of this size, and zoomed to fit any other.
  view_->SetBaseSize(QSize(
      settings_.width - 30,
      settings_.height - 5 - menuBar()->sizeHint().height() - statusBar()->sizeHint().height()));
  LayOutControls();
  connect(view_, &BoardView::TransformChanged, this, &MainFrame::LayOutControls);
  connect(view_, &BoardView::StatusText, status_, &QLabel::setText);
  connect(view_, &BoardView::TurnChanged, this, &MainFrame::UpdatePreview);
  connect(view_, &BoardView::SubmitRequested, this, &MainFrame::RunSubmit);
  connect(view_, &BoardView::GatherRequested, this, [this] { engine_->GatherTiles(); });
  connect(view_, &BoardView::ChangeRequested, this, &MainFrame::RunChange);
  thinkingNotice_ = new QTimer(this);
  thinkingNotice_->setSingleShot(true);
  connect(thinkingNotice_, &QTimer::timeout, this, [this] { status_->setText(thinkingText_); });
  UpdateCommands();
  view_->setFocus();
}

QSize MainFrame::StartingSize(QSize stored, QRect available) {
  if (!available.isValid()) return stored;
  constexpr int kFrameAllowance = 40;  // the title bar and borders the desktop adds
  return stored.boundedTo(QSize(available.width() - 30, available.height() - 5 - kFrameAllowance));
}

MainFrame::~MainFrame() {
  // A review running at the end puts the game back before anything is deleted.
  engine_->EndReview();
}

// The buttons: their labels, whether they start enabled, and their places as columns and rows
// from the board's lower right corner (row 0, 1) or below the log (row 2, 3).
namespace {

struct ButtonPlace {
  int id;
  const char* label;
  bool enabled;
  int column;
  int row;
  const char* name;  // what assistive technology reads out, and what the button does
  const char* description;
  const char* key;  // the review buttons' keys, live while the review runs
};

constexpr ButtonPlace kButtonPlaces[] = {
    {50010, "<<", false, 0, 0, "Step back", "Shows the position before in the review", "PgUp"},
    {50011, ">>", false, 1, 0, "Step forward", "Shows the next position in the review", "PgDown"},
    {50013, "Game", false, 2, 0, "Back to the game", "Ends the review", "Esc"},
    {50014, "Start", false, 0, 1, "Start", "Shows the first position of the review", "Home"},
    {50015, "End", false, 1, 1, "End", "Shows the last position of the review", "End"},
    {50012, "Review", true, 0, 2, "Review", "Steps through the game with the computer's choices",
     nullptr},
    {50016, "Submit", true, 1, 2, "Submit", "Plays the tiles laid on the board", nullptr},
    {50017, "Change", true, 0, 3, "Change", "Changes the tiles marked on the rack", nullptr},
    {50018, "Pass", true, 1, 3, "Pass", "Passes the turn to the computer", nullptr},
};

}  // namespace

void MainFrame::BuildControls() {
  log_ = new QPlainTextEdit(view_);
  log_->setObjectName("messageLog");
  log_->setReadOnly(true);
  log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  log_->setAccessibleName("Move log");
  log_->setAccessibleDescription("Every move of the game, and the review's analysis");
  view_->setAccessibleName("Board");
  view_->setAccessibleDescription(
      "The board and your rack. The arrow keys move the square cursor, letters lay tiles on "
      "it, Space turns it, Backspace takes a tile back, Enter submits.");
  for (const ButtonPlace& place : kButtonPlaces) {
    auto* button = new QPushButton(place.label, view_);
    button->setObjectName(QString("button%1").arg(place.id));
    button->setEnabled(place.enabled);
    button->setAccessibleName(place.name);
    button->setAccessibleDescription(place.description);
    // Tab reaches every button and Space presses it; a click leaves the keyboard with the board.
    button->setFocusPolicy(Qt::TabFocus);
    if (place.key != nullptr) {
      // The key is a command of the window's, enabled with its button (while the review runs).
      button->setToolTip(QString("%1 (%2)").arg(place.description, place.key));
      AddCommand(nullptr, place.id, place.name, [button] {
        if (button->isEnabled()) button->click();
      })->setShortcut(QKeySequence(place.key));
    }
    buttons_[place.id] = button;
  }
  auto press = [this](int id, std::function<void()> command) {
    connect(buttons_[id], &QPushButton::clicked, this, std::move(command));
  };
  press(50010, [this] { engine_->StepBack(); });
  press(50011, [this] { engine_->StepForward(); });
  press(50013, [this] { engine_->EndReview(); });
  press(50014, [this] { engine_->GoToStart(); });
  press(50015, [this] { engine_->GoToEnd(); });
  press(50012, [this] { StartReview(); });
  press(50016, [this] { RunSubmit(); });
  press(50017, [this] { RunChange(); });
  press(50018, [this] { RunPass(); });

  status_ = new QLabel(this);
  status_->setObjectName("statusText");
  clock_ = new QLabel(this);
  clock_->setObjectName("clock");
  clock_->setMinimumWidth(100);
  statusBar()->addWidget(status_, 1);
  statusBar()->addPermanentWidget(clock_);
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this,
          [this] { clock_->setText(QTime::currentTime().toString("HH:mm")); });
  timer_->start(1000);
}

QAction* MainFrame::Command(int id) const {
  auto found = commands_.find(id);
  return found == commands_.end() ? nullptr : found->second;
}

QPushButton* MainFrame::Button(int id) const {
  auto found = buttons_.find(id);
  return found == buttons_.end() ? nullptr : found->second;
}

QString MainFrame::StatusText() const { return status_->text(); }

void MainFrame::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
  prompter_.ShowMessage(this, text, caption, icon);
}

bool MainFrame::AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) {
  return prompter_.AskYesNo(this, text, caption, icon);
}

char MainFrame::AskBlankLetter() { return prompter_.AskBlankLetter(this); }

GameOverChoice MainFrame::AskGameOverChoice() { return prompter_.AskGameOverChoice(this); }

UnkeptGameChoice MainFrame::AskUnkeptGame(const std::string& text) {
  return prompter_.AskUnkeptGame(this, text);
}

std::optional<std::string> MainFrame::AskSavePath(const FileDialog& dialog) {
  return prompter_.AskSavePath(this, dialog);
}

std::optional<std::string> MainFrame::AskOpenPath(const FileDialog& dialog) {
  return prompter_.AskOpenPath(this, dialog);
}

void MainFrame::SetBusy(bool busy) {
  view_->SetThinking(busy);
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void MainFrame::SetButtonMode(ButtonMode mode) {
  UpdateAnalysisTable();
  const bool review = mode == ButtonMode::Review;
  for (int id : {50013, 50011, 50010, 50014, 50015}) buttons_[id]->setEnabled(review);
  for (int id : {50012, 50018, 50016, 50017}) buttons_[id]->setEnabled(!review);
  UpdateCommands();
}

void MainFrame::EnableGameButton(bool enabled) {
  buttons_[50013]->setEnabled(enabled);
  UpdateCommands();
}

void MainFrame::AppendLog(const std::string& text) {
  logText_ += text;
  log_->moveCursor(QTextCursor::End);
  log_->insertPlainText(QString::fromStdString(text));
  log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void MainFrame::CutLog(std::size_t length) {
  if (length >= logText_.size()) return;
  logText_.resize(length);
  log_->setPlainText(QString::fromStdString(logText_));
  log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void MainFrame::ClearLog() {
  logText_.clear();
  log_->clear();
}

void MainFrame::SetStatusText(const std::string& text) {
  const QString shown = QString::fromStdString(text);
  // The computer's turn is told only once it has taken a while, and what the pane held before
  // comes back when it ends.
  if (shown.endsWith(" is thinking...")) {
    thinkingText_ = shown;
    statusBeforeThinking_ = status_->text();
    thinkingNotice_->start(kThinkingNoticeMs);
    return;
  }
  if (!thinkingText_.isEmpty() && shown.isEmpty()) {
    thinkingNotice_->stop();
    thinkingText_.clear();
    status_->setText(statusBeforeThinking_);
    return;
  }
  status_->setText(shown);
}

void MainFrame::SetTitle(const std::string& title) {
  setWindowTitle(QString::fromStdString(title));
}

void MainFrame::Repaint(bool boardOnly) {
  view_->RequestRepaint(boardOnly);
  UpdateCommands();
}

void MainFrame::TilesChanged() {
  view_->SyncTiles();
  UpdateAnalysisTable();
  UpdateCommands();
}

void MainFrame::UpdateCommands() {
  if (thinking_) return;  // all stay off until the computer has moved
  const bool playing = engine_->State() == GameState::Playing;
  Command(kHintCommand)->setEnabled(playing);
  Command(kTakeBackCommand)->setEnabled(playing && engine_->CanTakeBack());
  Command(kExportGcgCommand)->setEnabled(!engine_->History().empty());
  const bool resumable = engine_->HasResumableGame();
  Command(kResumeCommand)->setEnabled(resumable);
  Command(kRecentGamesCommand)->setEnabled(resumable);
  Command(kReviewCommand)->setEnabled(buttons_[50012]->isEnabled());
  for (int id : {50010, 50011, 50013, 50014, 50015}) {
    Command(id)->setEnabled(buttons_[id]->isEnabled());
  }
}

void MainFrame::UpdateAnalysisTable() {
  const HistoryViewer* viewer = engine_->Viewer();
  const bool show = viewer != nullptr && analysisWanted_;
  if (show) analysis_->ShowRecord(*viewer->At(viewer->shown));
  if (show == analysis_->isVisible()) return;
  // The window makes room for the table in the free screen space beside it rather than shrink
  // the board, and afterwards takes back exactly the place it had. The widened size is the
  // review's, never the window's setting.
  const bool free = !isMaximized() && !isFullScreen();
  if (show) {
    geometryBeforeAnalysis_ = free ? std::optional<QRect>(geometry()) : std::nullopt;
    analysisResizing_ = true;
    analysis_->show();
    if (free && screen() != nullptr) {
      const int room = screen()->availableGeometry().right() - frameGeometry().right();
      const int grow = std::clamp(room, 0, kAnalysisTableWidth);
      resize(width() + grow, height());
    }
  } else {
    analysis_->hide();
    if (geometryBeforeAnalysis_ && free) setGeometry(*geometryBeforeAnalysis_);
    geometryBeforeAnalysis_.reset();
    analysisResizing_ = false;
    LayOutControls();
  }
}

void MainFrame::SetPlayingAids(bool on) {
  playingAids_ = on;
  view_->SetPlayingAids(on);
  settings_.Store().WriteValues(kViewKey, {{kPlayingAidsValue, std::int32_t{on ? 1 : 0}}});
}

void MainFrame::SetAnalysisTableWanted(bool wanted) {
  analysisWanted_ = wanted;
  Command(kAnalysisTableCommand)->setChecked(wanted);
  settings_.Store().WriteValues(kViewKey, {{kAnalysisTableValue, std::int32_t{wanted ? 1 : 0}}});
  UpdateAnalysisTable();
}

void MainFrame::ClearTiles() { view_->ClearPieces(); }

void MainFrame::ReturnTurnTiles() { view_->ReturnTurnTiles(); }

bool MainFrame::OpenDocument(const std::string& path) {
  return prompter_.OpenUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool MainFrame::WordListProgress(int percent) {
  if (percent >= 100) {
    delete wordListProgress_;
    wordListProgress_ = nullptr;
    return true;
  }
  if (wordListProgress_ == nullptr) {
    wordListStopped_ = false;
    wordListProgress_ = new QProgressDialog("Preparing the word list for the computer's search...",
                                            "Cancel", 0, 100, this);
    wordListProgress_->setWindowTitle("Word List");
    // Before the window shows (a changed list at start) nothing else may be used meanwhile.
    wordListProgress_->setWindowModality(isVisible() ? Qt::WindowModal : Qt::ApplicationModal);
    wordListProgress_->setMinimumDuration(300);
    wordListProgress_->setAutoClose(false);
    wordListProgress_->setAutoReset(false);
  }
  wordListProgress_->setValue(percent);
  if (!wordListProgress_->wasCanceled()) return true;
  wordListStopped_ = true;
  delete wordListProgress_;
  wordListProgress_ = nullptr;
  return false;
}

void MainFrame::RequestClose() {
  // The command that asks for it is still running: the window closes once it has returned.
  QTimer::singleShot(0, this, &QWidget::close);
}

void MainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_) {
    shown_ = true;
    clientWidthAtStart_ = view_->width();
  }
}

ChampionChoice MainFrame::Think(const std::function<ChampionChoice()>& work) {
  std::vector<std::pair<QWidget*, bool>> widgets;
  std::vector<std::pair<QAction*, bool>> actions;
  for (const auto& [id, action] : commands_) {
    actions.emplace_back(action, action->isEnabled());
    action->setEnabled(false);
  }
  for (QWidget* widget : {static_cast<QWidget*>(view_), static_cast<QWidget*>(menuBar())}) {
    widgets.emplace_back(widget, widget->isEnabled());
    widget->setEnabled(false);
  }
  for (const auto& [id, button] : buttons_) {
    widgets.emplace_back(button, button->isEnabled());
    button->setEnabled(false);
  }
  thinking_ = true;
  ChampionChoice choice;
  QEventLoop loop;
  std::thread worker([&] {
    choice = work();
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  thinking_ = false;
  for (const auto& [action, enabled] : actions) action->setEnabled(enabled);
  for (const auto& [widget, enabled] : widgets) widget->setEnabled(enabled);
  if (closeAfterThinking_) {
    closeAfterThinking_ = false;
    QTimer::singleShot(0, this, &QWidget::close);
  }
  return choice;
}

void MainFrame::RememberChampion(bool on) {
  settings_.Store().WriteValues(kViewKey, {{kChampionValue, std::int32_t{on ? 1 : 0}}});
}

void MainFrame::SetChampionTime(int milliseconds) {
  championTime_ = std::clamp(milliseconds, kMinChampionTime, kMaxChampionTime);
  engine_->SetChampionBudget(championTime_);
  settings_.Store().WriteValues(kViewKey, {{kChampionTimeValue, std::int32_t{championTime_}}});
}

void MainFrame::closeEvent(QCloseEvent* event) {
  // Closing waits for the computer's answer: its turn is then complete and kept.
  if (thinking_) {
    closeAfterThinking_ = true;
    event->ignore();
    return;
  }
  // A game still in play is kept for File > Resume Last Game; the user is asked only when it
  // cannot be, and may then stay.
  if (!engine_->KeepBeforeReplacing()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void MainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!shown_) return;
  if (!analysisResizing_) {
    settings_.width = frameGeometry().width();
    settings_.height = frameGeometry().height();
    settings_.Save();
  }
  if (view_->width() != clientWidthAtStart_ && !analysisResizing_) widthChanged_ = true;
  LayOutControls();
  view_->RequestRepaint(false);
}

// The log and the buttons keep their places beside the board as it is zoomed. At the default
// size they stand where the window has always put them; they grow and shrink with the board
// (down to half their size, where they are still readable). The log's right edge keeps 40
// pixels from the window's once its width has changed, so the log takes whatever width is left.
void MainFrame::LayOutControls() {
  const ViewTransform& zoomed = view_->Transform();
  const double scale = std::max(0.5, zoomed.zoom);
  auto place = [&](double x, double y) { return zoomed.ToView({x, y}).toPoint(); };
  auto scaled = [&](int pixels) { return static_cast<int>(std::lround(pixels * scale)); };
  const QPoint boardCorner = place(geometry_.BoardRight(), geometry_.BoardBottom());
  const int left = boardCorner.x() + scaled(20);
  const int top = place(0, geometry_.boardTop).y();
  const int logBottom = boardCorner.y() - scaled(100);
  const int right = widthChanged_ ? view_->width() - 40 : left + 220;
  log_->setGeometry(left, top, std::max(20, right - left), std::max(20, logBottom - top));

  QFont font("Arial");
  font.setPointSizeF(geometry_.buttonPoints * scale);
  const int width = scaled(geometry_.buttonWidth);
  for (const ButtonPlace& button : kButtonPlaces) {
    const int y = button.row == 0   ? boardCorner.y()
                  : button.row == 1 ? boardCorner.y() + scaled(28)
                  : button.row == 2 ? logBottom + scaled(8)
                                    : logBottom + scaled(36);
    QPushButton* widget = buttons_[button.id];
    widget->setFont(font);
    widget->setGeometry(left + button.column * (width + scaled(3)), y, width, scaled(25));
  }
}

}  // namespace lumiquad
