// lumiquad: the desktop game.
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <string>

#include "model/random.h"
#include "settings/file_settings_store.h"
#include "settings/reg_records.h"
#include "ui/main_frame.h"
#include "ui/prompter.h"

int main(int argc, char** argv) {
  // A write past a file-size limit fails like any other write instead of killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::printf("lumiquad %s\n", LUMIQUAD_VERSION);
    return 0;
  }
  QApplication application(argc, argv);
  // Qt takes the desktop's locale; the game's number conversions and character tests keep
  // the "C" locale whatever it is.
  std::setlocale(LC_ALL, "C");
  QApplication::setApplicationName("Lumiquad");
  QApplication::setApplicationVersion(LUMIQUAD_VERSION);
  QApplication::setDesktopFileName("io.github.lumiquad.Lumiquad");

  lumiquad::FileSettingsStore store(lumiquad::DefaultSettingsPath());
  lumiquad::SystemClock clock;
  lumiquad::CMoveRegConfig moveConfig(store);
  lumiquad::QtPrompter prompter;
  lumiquad::MainFrame frame(store, clock, moveConfig, prompter);
  frame.show();

  // The whole command line names a game file to open (a desktop opens .lqg files this way).
  std::string path;
  for (int i = 1; i < argc; ++i) {
    if (!path.empty()) path += ' ';
    path += argv[i];
  }
  if (!path.empty()) {
    QTimer::singleShot(0, &frame, [&frame, path] { frame.Engine().LoadGameFile(path); });
  }
  return QApplication::exec();
}
