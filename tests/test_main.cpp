#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// Every test program runs with its own empty settings folder, so that nothing a test does can
// reach the user's real settings.
int main(int argc, char** argv) {
  std::string folder = (std::filesystem::temp_directory_path() / "lumiquad-test-XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) return 1;
  ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  ::testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return result;
}
