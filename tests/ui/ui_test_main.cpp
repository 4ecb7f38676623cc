// The window's tests, on the offscreen platform with a settings folder of their own.
#include <QtWidgets/QApplication>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace lumiquad {
int RunPlayTests(int argc, char** argv);
int RunEditingTests(int argc, char** argv);
}  // namespace lumiquad

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::string folder = (std::filesystem::temp_directory_path() / "lumiquad-ui-XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) return 1;
  ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  QApplication application(argc, argv);
  int failures = lumiquad::RunPlayTests(argc, argv);
  failures += lumiquad::RunEditingTests(argc, argv);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return failures == 0 ? 0 : 1;
}
