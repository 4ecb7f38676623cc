#include "ui/main_frame.h"

#include <QtCore/QTime>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtGui/QGuiApplication>
#include <QtGui/QIcon>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStatusBar>

#include "settings/program_paths.h"
#include "ui/board_view.h"
#include "ui/prompter.h"
#include "words/word_list_paths.h"

namespace lumiquad {

namespace {

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
  const std::string mainWords = ChooseMainWordListPath(settings_);
  engine_ = std::make_unique<GameEngine>(store, clock, moveConfig, *this, mainWords,
                                         SimpleWordListPath());
  engine_->SetFilter(settings_.filter != 0);
  if (const std::string state = UserFolder(UserFolderKind::State); !state.empty()) {
    engine_->SetResumePath(state + "/last.lqg");
  }
  settings_.SetWindowSize(!geometry_.small);

  view_ = new BoardView(geometry_, this);
  view_->SetEngine(engine_.get());
  setCentralWidget(view_);
  setWindowTitle(kWindowTitle);
  setWindowIcon(QIcon(":/res/lumiquad.png"));
  BuildMenus();
  BuildControls();
  SetColour(settings_.color);
  SetLevel(settings_.level);
  move(30, 5);
  resize(settings_.width - 30, settings_.height - 5);
  connect(view_, &BoardView::StatusText, status_, &QLabel::setText);
  connect(view_, &BoardView::TurnChanged, this, &MainFrame::UpdatePreview);
  connect(view_, &BoardView::SubmitRequested, this, &MainFrame::RunSubmit);
  connect(view_, &BoardView::GatherRequested, this, [this] { engine_->GatherTiles(); });
  view_->setFocus();
}

MainFrame::~MainFrame() {
  // A review running at the end puts the game back before anything is deleted.
  engine_->EndReview();
}

void MainFrame::BuildControls() {
  QFont font("Arial");
  font.setPointSize(geometry_.buttonPoints);
  const int left = geometry_.BoardRight() + 20;
  log_ = new QPlainTextEdit(view_);
  log_->setObjectName("messageLog");
  log_->setReadOnly(true);
  log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  log_->setGeometry(left, geometry_.boardTop, 220, geometry_.BoardSize() - 100);
  logRightAtStart_ = left + 220;

  const int width = geometry_.buttonWidth;
  const int logBottom = geometry_.boardTop + geometry_.BoardSize() - 100;
  struct Layout {
    int id;
    const char* label;
    int x;
    int y;
    bool enabled;
  };
  const Layout layouts[] = {
      {50010, "<<", left, geometry_.BoardBottom(), false},
      {50011, ">>", left + width + 3, geometry_.BoardBottom(), false},
      {50013, "Game", left + 2 * (width + 3), geometry_.BoardBottom(), false},
      {50014, "Start", left, geometry_.BoardBottom() + 28, false},
      {50015, "End", left + width + 3, geometry_.BoardBottom() + 28, false},
      {50012, "Review", left, logBottom + 8, true},
      {50016, "Submit", left + width + 3, logBottom + 8, true},
      {50017, "Change", left, logBottom + 36, true},
      {50018, "Pass", left + width + 3, logBottom + 36, true},
  };
  for (const Layout& layout : layouts) {
    auto* button = new QPushButton(layout.label, view_);
    button->setObjectName(QString("button%1").arg(layout.id));
    button->setFont(font);
    button->setGeometry(layout.x, layout.y, width, 25);
    button->setEnabled(layout.enabled);
    // Tab reaches every button and Space presses it; a click leaves the keyboard with the board.
    button->setFocusPolicy(Qt::TabFocus);
    buttons_[layout.id] = button;
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
  const bool review = mode == ButtonMode::Review;
  for (int id : {50013, 50011, 50010, 50014, 50015}) buttons_[id]->setEnabled(review);
  for (int id : {50012, 50018, 50016, 50017}) buttons_[id]->setEnabled(!review);
}

void MainFrame::EnableGameButton(bool enabled) { buttons_[50013]->setEnabled(enabled); }

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
  status_->setText(QString::fromStdString(text));
  // Shown at once: the computer's search that follows keeps the event loop away.
  status_->repaint();
}

void MainFrame::SetTitle(const std::string& title) {
  setWindowTitle(QString::fromStdString(title));
}

void MainFrame::Repaint(bool boardOnly) { view_->RequestRepaint(boardOnly); }

void MainFrame::TilesChanged() { view_->SyncTiles(); }

void MainFrame::ClearTiles() { view_->ClearPieces(); }

void MainFrame::ReturnTurnTiles() { view_->ReturnTurnTiles(); }

bool MainFrame::OpenDocument(const std::string& path) {
  return prompter_.OpenUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
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

void MainFrame::closeEvent(QCloseEvent* event) {
  // A game still in play is kept for File > Resume Last Game; nothing is asked.
  engine_->KeepForResume();
  QMainWindow::closeEvent(event);
}

void MainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!shown_) return;
  settings_.width = frameGeometry().width();
  settings_.height = frameGeometry().height();
  settings_.Save();
  // The log's right edge follows the window's, keeping 40 pixels from it.
  const int logLeft = log_->x();
  int right = logRightAtStart_ + view_->width() - clientWidthAtStart_;
  right = std::min(right, view_->width() - 40);
  log_->resize(std::max(20, right - logLeft), log_->height());
  view_->RequestRepaint(false);
}

}  // namespace lumiquad
