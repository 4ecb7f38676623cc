// Takes the screenshots of docs/screenshots/ from the real window, drawn off screen: a game
// played by the hint against the computer, the same with View > Playing Aids off, and the
// review with and without the analysis table. Run from the build folder with
//   QT_QPA_PLATFORM=offscreen:configfile=<source>/tests/ui/screen.json \
//     bin/lumiquad-make-screenshots <source>/docs/screenshots
#include <QtCore/QUrl>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>

#include <cstdio>

#include "model/random.h"
#include "settings/program_paths.h"
#include "settings/reg_records.h"
#include "ui/board_view.h"
#include "ui/main_frame.h"
#include "ui/prompter.h"

namespace lumiquad {
namespace {

// Answers every question as a player in a hurry would, and shows nothing.
class QuietPrompter : public Prompter {
 public:
  void ShowMessage(QWidget*, const std::string&, const std::string&, MessageIcon) override {}
  bool AskYesNo(QWidget*, const std::string&, const std::string&, MessageIcon) override {
    return false;
  }
  char AskBlankLetter(QWidget*) override { return 'E'; }
  GameOverChoice AskGameOverChoice(QWidget*) override { return GameOverChoice::Review; }
  UnkeptGameChoice AskUnkeptGame(QWidget*, const std::string&) override {
    return UnkeptGameChoice::Discard;
  }
  std::optional<std::string> AskSavePath(QWidget*, const FileDialog&) override { return {}; }
  std::optional<std::string> AskOpenPath(QWidget*, const FileDialog&) override { return {}; }
  std::optional<std::string> AskText(QWidget*, const std::string&, const std::string&) override {
    return {};
  }
  bool OpenUrl(const QUrl&) override { return true; }
};

class FixedSeconds : public Clock {
 public:
  std::int64_t Seconds() const override { return seconds; }
  std::int64_t seconds = 1'700'000'123;
};

bool Save(QWidget& widget, const QString& path) {
  QApplication::processEvents();
  const bool saved = widget.grab().save(path);
  if (!saved) std::fprintf(stderr, "could not write %s\n", qPrintable(path));
  return saved;
}

}  // namespace
}  // namespace lumiquad

int main(int argc, char** argv) {
  using namespace lumiquad;
  QApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("docs/screenshots");
  MemorySettingsStore store;
  PutSettingsValue(store.Key("Software\\Lumiquad\\Win"), "dictionary",
                   DataFilePath("dictionary.txt"));
  FixedSeconds clock;
  CMoveRegConfig moveConfig(store);
  QuietPrompter prompter;
  MainFrame frame(store, clock, moveConfig, prompter, false);
  frame.show();
  bool ok = Save(frame, folder + "/start.png");
  frame.Command(4001)->trigger();  // New Game
  // Six turns of the hint's moves, then a hint shown and one tile laid by hand.
  for (int turn = 0; turn < 6 && frame.Engine().State() == GameState::Playing; ++turn) {
    frame.Command(MainFrame::kHintCommand)->trigger();
    frame.Command(MainFrame::kHintCommand)->trigger();
    frame.Button(50016)->click();
  }
  frame.View().setFocus();
  ok = Save(frame, folder + "/game.png") && ok;
  frame.Command(MainFrame::kHintCommand)->trigger();
  ok = Save(frame, folder + "/help.png") && ok;
  frame.Command(MainFrame::kPlayingAidsCommand)->trigger();
  ok = Save(frame, folder + "/plain.png") && ok;
  frame.Command(MainFrame::kPlayingAidsCommand)->trigger();
  frame.Button(50012)->click();  // Review
  for (int step = 0; step < 3; ++step) frame.Button(50011)->click();
  ok = Save(frame, folder + "/review.png") && ok;
  frame.Button(50013)->click();
  frame.Command(MainFrame::kAnalysisTableCommand)->trigger();
  frame.showMaximized();
  frame.Button(50012)->click();
  for (int step = 0; step < 3; ++step) frame.Button(50011)->click();
  ok = Save(frame, folder + "/maximised.png") && ok;
  return ok ? 0 : 1;
}
