// The window's tests, on the offscreen platform with user folders of their own. Run with
// QT_SCALE_FACTOR set, only the test of drawing at the device's resolution runs: the others
// click and read pixels at a device pixel ratio of 1.
#include <QtWidgets/QApplication>

#include <cstdlib>

#include "support/private_user_folders.h"

namespace lumiquad {
int RunPlayTests(int argc, char** argv);
int RunEditingTests(int argc, char** argv);
int RunViewTests(int argc, char** argv);
}  // namespace lumiquad

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  lumiquad::test::PrivateUserFolders folders;
  QApplication application(argc, argv);
  if (std::getenv("QT_SCALE_FACTOR") != nullptr) {
    char name[] = "squaresAreDrawnAtTheDevicesResolution";
    char* only[] = {argv[0], name};
    return lumiquad::RunViewTests(2, only) == 0 ? 0 : 1;
  }
  int failures = lumiquad::RunPlayTests(argc, argv);
  failures += lumiquad::RunEditingTests(argc, argv);
  failures += lumiquad::RunViewTests(argc, argv);
  return failures == 0 ? 0 : 1;
}
