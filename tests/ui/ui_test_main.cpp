// The window's tests, on the offscreen platform with user folders of their own.
#include <QtWidgets/QApplication>

#include <cstdlib>

#include "support/private_user_folders.h"

namespace lumiquad {
int RunPlayTests(int argc, char** argv);
int RunEditingTests(int argc, char** argv);
}  // namespace lumiquad

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  lumiquad::test::PrivateUserFolders folders;
  QApplication application(argc, argv);
  int failures = lumiquad::RunPlayTests(argc, argv);
  failures += lumiquad::RunEditingTests(argc, argv);
  return failures == 0 ? 0 : 1;
}
