// The main window's command table: its menus, hidden commands and what each one runs.
#include <QtCore/QFileInfo>
#include <QtCore/QUrl>
#include <QtGui/QAction>
#include <QtGui/QActionGroup>
#include <QtWidgets/QDialog>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QInputDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include "ai/champion.h"
#include "game/report.h"
#include "settings/program_paths.h"
#include "ui/board_view.h"
#include "ui/config_dialogs.h"
#include "ui/filter_dialogs.h"
#include "ui/layout_dialogs.h"
#include "ui/main_frame.h"
#include "ui/prompter.h"

namespace lumiquad {

namespace {

struct Choice {
  int id;
  const char* text;
  int index;
};

// The Colours menu in its order, with the index each item chooses.
constexpr Choice kColours[] = {{11001, "G&rey", 0},  {11000, "&Green", 1},  {11002, "B&lue", 2},
                               {11003, "&Black", 3}, {11006, "&Yellow", 4}, {11004, "&Orange", 5},
                               {11005, "&Purple", 6}};
constexpr Choice kLevels[] = {{44465, "&Genius", 0},       {44476, "&Master", 1},
                              {44487, "B&rilliant", 2},    {44498, "&Excellent", 3},
                              {44509, "&Advanced", 4},     {44520, "&Wordy", 5},
                              {44531, "&Very Good", 6},    {44542, "G&ood", 7},
                              {44533, "&Intermediate", 8}, {54534, "&Learner", 9}};

}  // namespace

QAction* MainFrame::AddCommand(QMenu* menu, int id, const QString& text,
                               std::function<void()> handler) {
  auto* action = new QAction(text, this);
  action->setObjectName(QString("command%1").arg(id));
  connect(action, &QAction::triggered, this, std::move(handler));
  if (menu != nullptr) {
    menu->addAction(action);
  } else {
    addAction(action);  // no menu item: reached by its shortcut alone
  }
  commands_[id] = action;
  return action;
}

void MainFrame::FillRecentGames() {
  recentGames_->clear();
  const std::vector<RecentGame> games = engine_->RecentGames();
  recentGames_->setEnabled(!games.empty());
  int number = 1;
  for (const RecentGame& game : games) {
    // Numbered 1 to 9, then 0, so that each has a key of its own.
    const QString key = number <= 10 ? QString("&%1 ").arg(number % 10) : QString();
    QAction* action =
        recentGames_->addAction(key + QString::fromStdString(DescribeRecentGame(game)));
    const std::string path = game.path;
    connect(action, &QAction::triggered, this, [this, path] { engine_->ResumeGame(path); });
    ++number;
  }
}

void MainFrame::BuildMenus() {
  // Menus and items carry mnemonics; the new commands come last in their menus, and the common
  // commands have shortcuts of their own.
  QMenu* file = menuBar()->addMenu("&File");
  AddCommand(file, 4001, "&New Game...", [this] {
    engine_->NewGame();
  })->setShortcut(QKeySequence("Ctrl+N"));
  AddCommand(file, 4010, "&Open Game...", [this] {
    engine_->OpenGame();
  })->setShortcut(QKeySequence("Ctrl+O"));
  AddCommand(file, 4005, "&Save Game...", [this] {
    engine_->SaveGame();
  })->setShortcut(QKeySequence("Ctrl+S"));
  AddCommand(file, 4016, "&Close Game...", [this] { engine_->CloseGame(); });
  AddCommand(file, 4015, "Create Game &Report...", [this] { engine_->CreateReport(false); });
  AddCommand(file, kResumeCommand, "Res&ume Last Game", [this] {
    engine_->ResumeLastGame();
  })->setShortcut(QKeySequence("Ctrl+Shift+R"));
  AddCommand(file, kExportGcgCommand, "Export &GCG...", [this] {
    engine_->ExportGcg();
  })->setShortcut(QKeySequence("Ctrl+Shift+G"));
  // The other kept games, newest first, listed afresh each time the menu opens.
  recentGames_ = file->addMenu("Recen&t Games");
  recentGames_->menuAction()->setObjectName(QString("command%1").arg(kRecentGamesCommand));
  commands_[kRecentGamesCommand] = recentGames_->menuAction();
  AddCommand(file, kImportGcgCommand, "&Import GCG...", [this] { engine_->ImportGcg(); });
  AddCommand(file, 4000, "E&xit", [this] { close(); });
  connect(file, &QMenu::aboutToShow, this, [this] {
    Command(kResumeCommand)->setEnabled(engine_->HasResumableGame());
    Command(kExportGcgCommand)->setEnabled(!engine_->History().empty());
    FillRecentGames();
  });

  QMenu* play = menuBar()->addMenu("&Play");
  AddCommand(play, 4002, "&Submit", [this] { RunSubmit(); });
  AddCommand(play, 4003, "&Pass", [this] { RunPass(); })->setShortcut(QKeySequence("Ctrl+P"));
  AddCommand(play, 4004, "&Gather Tiles", [this] { engine_->GatherTiles(); });
  AddCommand(play, 4011, "&Change", [this] { RunChange(); })->setShortcut(QKeySequence("Ctrl+E"));
  AddCommand(play, kHintCommand, "&Hint", [this] {
    RunHint();
  })->setShortcut(QKeySequence("Ctrl+H"));
  QAction* takeBack = AddCommand(play, kTakeBackCommand, "&Take Back", [this] { RunTakeBack(); });
  takeBack->setShortcut(QKeySequence("Ctrl+Z"));
  takeBack->setStatusTip(
      "Takes back your last turn with the computer's reply, back to the deal or to where the "
      "game was opened");
  AddCommand(play, kCheckWordCommand, "Check &Word...", [this] {
    CheckWord();
  })->setShortcut(QKeySequence("Ctrl+K"));

  QMenu* configure = menuBar()->addMenu("&Configure");
  AddCommand(configure, 10050, "Adult Language &Filter...", [this] {
    FoulDialog dialog(settings_, *engine_, prompter_, this);
    dialog.exec();
  });
  AddCommand(configure, 4012, "Set &Dictionary...", [this] { SetDictionary(); });
  AddCommand(configure, 4013, "Set Letter &Values...", [this] {
    LetterValuesDialog dialog(
        *engine_, prompter_, [this] { Repaint(false); }, this);
    dialog.exec();
  });
  AddCommand(configure, 4014, "Set Letter Fre&quency...", [this] { OpenLetterFrequencies(); });
  AddCommand(configure, 5338, "Set &Bonus Score...", [this] {
    BonusDialog dialog(
        *engine_, prompter_, [this] { Repaint(false); }, this);
    dialog.exec();
  });
  AddCommand(configure, 11312, "Set &Names...", [this] {
    NamesDialog dialog(
        *engine_, prompter_, [this] { Repaint(false); }, this);
    dialog.exec();
  });
  QMenu* colours = configure->addMenu("C&olours");
  colours_ = new QActionGroup(this);
  for (const Choice& choice : kColours) {
    QAction* action = AddCommand(colours, choice.id, choice.text,
                                 [this, index = choice.index] { SetColour(index); });
    action->setCheckable(true);
    colours_->addAction(action);
  }
  QMenu* levels = configure->addMenu("&Levels");
  levels_ = new QActionGroup(this);
  for (const Choice& choice : kLevels) {
    QAction* action = AddCommand(levels, choice.id, choice.text,
                                 [this, index = choice.index] { SetLevel(index); });
    action->setCheckable(true);
    levels_->addAction(action);
  }
  QAction* champion =
      AddCommand(levels, kChampionCommand, "&Champion", [this] { SetLevel(kChampionIndex); });
  champion->setCheckable(true);
  champion->setStatusTip(
      "The strongest level: it weighs the tiles it keeps, exchanges, looks "
      "ahead and thinks longer");
  levels_->addAction(champion);
  AddCommand(levels, kChampionTimeCommand, "Champion's &Thinking Time...", [this] {
    bool ok = false;
    const int seconds10 = QInputDialog::getInt(this, "Champion's Thinking Time",
                                               "Tenths of a second a turn:", championTime_ / 100, 1,
                                               kMaxChampionTime / 100, 1, &ok);
    if (ok) SetChampionTime(seconds10 * 100);
  });
  QMenu* boards = configure->addMenu("Board Confi&guration");
  AddCommand(boards, 25373, "&Clear Board Configuration",
             [this] { engine_->ClearBoardConfiguration(); });
  AddCommand(boards, 25374, "&Undo Clear", [this] { engine_->UndoClearBoardConfiguration(); });
  AddCommand(boards, 25375, "&Default Board Configuration",
             [this] { engine_->DefaultBoardConfiguration(); });
  AddCommand(boards, 25376, "&Save Board Config...", [this] {
    if (!engine_->AllowSaveBoardConfiguration()) return;
    SaveBoardDialog dialog(engine_->GetBoard(), prompter_, this);
    dialog.exec();
  });
  AddCommand(boards, 25377, "C&hoose Board Config...", [this] {
    if (!engine_->AllowChooseBoardConfiguration()) return;
    ChooseBoardDialog dialog(
        engine_->GetBoard(), [this] { Repaint(true); }, this);
    dialog.exec();
  });

  QMenu* games = menuBar()->addMenu("Ch&oose Game");
  AddCommand(games, 3467, "&Lumiquad", [this] { engine_->ChooseGameType(GameType::Lumiquad); });
  AddCommand(games, 3468, "&Scrabble", [this] { engine_->ChooseGameType(GameType::Scrabble); });
  AddCommand(games, 3469, "L&iterati", [this] { engine_->ChooseGameType(GameType::Literati); });

  QMenu* help = menuBar()->addMenu("&Help");
  AddCommand(help, 8989, "Go to &Help...", [this] { OpenHelp(); });
  AddCommand(help, 16948, "&About...", [this] { OpenAbout(); });

  // The view's own choices, in a menu after the others.
  QMenu* view = menuBar()->addMenu("&View");
  QAction* table = AddCommand(view, kAnalysisTableCommand, "&Analysis Table", [this] {
    SetAnalysisTableWanted(Command(kAnalysisTableCommand)->isChecked());
  });
  table->setCheckable(true);
  table->setChecked(analysisWanted_);
  table->setShortcut(QKeySequence("Ctrl+Shift+A"));
  QAction* aids = AddCommand(view, kPlayingAidsCommand, "&Playing Aids",
                             [this] { SetPlayingAids(Command(kPlayingAidsCommand)->isChecked()); });
  aids->setCheckable(true);
  aids->setChecked(playingAids_);
  aids->setStatusTip(
      "The last move's outline, the edge of tiles laid this turn, the square cursor and the "
      "score preview");

  // The commands without a menu item, each on a shortcut of its own.
  AddCommand(nullptr, 4017, "Create HTML Report", [this] {
    engine_->CreateReport(true);
  })->setShortcut(QKeySequence("Ctrl+Shift+H"));
  AddCommand(nullptr, 4018, "Swap Coordinate Labels", [this] {
    view_->SwapLabels();
    Repaint(false);
  })->setShortcut(QKeySequence("Ctrl+Shift+L"));
  QAction* white = AddCommand(nullptr, 11007, "White", [this] { SetColour(7); });
  white->setShortcut(QKeySequence("Ctrl+Shift+W"));
  white->setCheckable(true);
  colours_->addAction(white);
  QAction* hidden = AddCommand(nullptr, 12903, "Level 50", [this] { SetLevel(10); });
  hidden->setShortcut(QKeySequence("Ctrl+Shift+0"));
  hidden->setCheckable(true);
  levels_->addAction(hidden);
  // The Review button on the keyboard; it does what the button does, when the button would.
  AddCommand(nullptr, kReviewCommand, "Review", [this] {
    if (buttons_[50012]->isEnabled()) StartReview();
  })->setShortcut(QKeySequence("Ctrl+R"));
}

void MainFrame::SetColour(int index) {
  if (index < 0 || index >= kColorCount) index = kDefaultColor;
  for (const Choice& choice : kColours) {
    if (choice.index == index) Command(choice.id)->setChecked(true);
  }
  if (index == 7) Command(11007)->setChecked(true);
  settings_.color = index;
  settings_.Save();
  view_->SetColour(index);
}

void MainFrame::SetLevel(int index) {
  // The champion is remembered beside the levels, which keep the one chosen before it.
  const bool champion = index == kChampionIndex;
  if (champion != champion_) {
    champion_ = champion;
    RememberChampion(champion);
  }
  if (champion) {
    Command(kChampionCommand)->setChecked(true);
    engine_->SetLevel(kChampionLevel);
    return;
  }
  if (index < 0 || index >= kLevelCount) index = kDefaultLevel;
  if (index == 10) {
    Command(12903)->setChecked(true);
  } else {
    Command(kLevels[index].id)->setChecked(true);
  }
  engine_->SetLevel(index == 10 ? 50 : index + 1);
  settings_.level = index;
  settings_.Save();
}

void MainFrame::RunSubmit() {
  if (engine_->State() != GameState::Playing) return;
  buttons_[50016]->setEnabled(false);
  engine_->Submit(view_->CollectTurnTiles());
  buttons_[50016]->setEnabled(buttons_[50012]->isEnabled());
}

void MainFrame::RunPass() {
  if (engine_->State() != GameState::Playing) return;
  buttons_[50018]->setEnabled(false);
  engine_->Pass();
  buttons_[50018]->setEnabled(buttons_[50012]->isEnabled());
}

void MainFrame::RunChange() {
  if (engine_->State() != GameState::Playing) return;
  buttons_[50017]->setEnabled(false);
  // A refused change changes nothing, the marks included.
  const std::string marked = view_->MarkedLetters();
  if (engine_->Change(marked)) view_->ClearMarks();
  if (marked.empty()) {
    SetStatusText("Mark tiles with a right-click, or press - and type their letters");
  }
  buttons_[50017]->setEnabled(buttons_[50012]->isEnabled());
}

void MainFrame::RunHint() {
  if (engine_->State() != GameState::Playing) return;
  // A second Hint lays the tiles the first one showed.
  if (view_->LayHint()) return;
  const std::optional<Move> best = engine_->BestMoveForHuman();
  if (!best) {
    view_->SetPreview("No move to suggest: pass or change tiles");
    return;
  }
  view_->ShowHint(TilesOfMove(*best, engine_->GetBoard().Squares()));
  view_->SetPreview(QString::fromStdString("Hint: " + DescribeMove(*best, 0, false)));
}

void MainFrame::RunTakeBack() {
  if (engine_->TakeBack()) {
    UpdatePreview();
  } else {
    SetStatusText("Nothing to take back: this is where the game was dealt or opened");
  }
}

void MainFrame::CheckWord() {
  // An empty entry is asked again; Cancel ends the question.
  while (std::optional<std::string> word = prompter_.AskText(this, "Check Word", "Word:")) {
    if (QString::fromStdString(*word).trimmed().isEmpty()) continue;
    engine_->CheckWord(*word);
    return;
  }
}

void MainFrame::UpdatePreview() {
  view_->SetPreview(QString::fromStdString(engine_->PreviewTurn(view_->CollectTurnTiles()).text));
}

void MainFrame::StartReview() {
  // Tiles left on the board this turn would stand over the record's squares.
  view_->ReturnTurnTiles();
  engine_->StartReview();
}

void MainFrame::SetDictionary() {
  const FileDialog dialog{"Set Dictionary", ".txt",
                          "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"};
  std::optional<std::string> path = prompter_.AskOpenPath(this, dialog);
  if (!path) return;
  // The new list is loaded before anything changes: a path that is no word list keeps the
  // list and the setting the game has.
  wordListStopped_ = false;
  if (!IsValidFilePath(*path, "txt") || !engine_->SetDictionary(*path)) {
    // Stopped while it was prepared: the list in use stays, and nothing is wrong with the file.
    if (wordListStopped_) return;
    ShowMessage(*path + " is not a valid path to a dictionary", "Failure",
                MessageIcon::Information);
    return;
  }
  settings_.dictionary = *path;
  settings_.Save();
  ShowMessage(*path + " \nhas been set as the dictionary for the game.", "Dictionary confirmation",
              MessageIcon::Information);
}

void MainFrame::OpenLetterFrequencies() {
  if (!engine_->AllowLetterFrequencyChange()) return;
  FrequencyDialog dialog(
      *engine_, prompter_, [this] { Repaint(false); }, this);
  dialog.exec();
}

void MainFrame::OpenHelp() {
  prompter_.OpenUrl(QUrl::fromLocalFile(QString::fromStdString(DataFilePath("README.md"))));
}

void MainFrame::ShowLinkFailure(const QUrl& url) {
  const bool missing = url.isLocalFile() && !QFileInfo::exists(url.toLocalFile());
  const std::string reason = missing ? "The specified file was not found."
                                     : "There is no application associated\n"
                                       "with the given filename extension.";
  ShowMessage("Unable to open hyperlink:\n\n" + reason, kApplicationTitle, MessageIcon::None);
}

void MainFrame::OpenAbout() {
  QDialog about(this);
  about.setWindowTitle("About Lumiquad");
  auto* layout = new QVBoxLayout(&about);
  auto* text =
      new QLabel("<b>Lumiquad</b> " LUMIQUAD_VERSION
                 "<br>A crossword word game against the computer.<br><br>"
                 "The main word list is the word-list package's; the common words are from SCOWL.",
                 &about);
  layout->addWidget(text);
  const QUrl page = QUrl::fromLocalFile(QString::fromStdString(DataFilePath("README.md")));
  auto* link = new QLabel(
      QString("<a href=\"%1\">%2</a>").arg(page.toString(), "Lumiquad's README"), &about);
  link->setObjectName("link");
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  link->setCursor(Qt::PointingHandCursor);
  connect(link, &QLabel::linkActivated, &about, [this, page] {
    if (!prompter_.OpenUrl(page)) ShowLinkFailure(page);
  });
  layout->addWidget(link);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &about);
  connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
  layout->addWidget(buttons);
  about.exec();
}

}  // namespace lumiquad
