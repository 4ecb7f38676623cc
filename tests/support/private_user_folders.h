#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace lumiquad::test {

// Points the settings, state and cache folders at a temporary folder of the test program's own
// for as long as it lives, so that nothing a test does reaches the user's files.
class PrivateUserFolders {
 public:
  PrivateUserFolders() {
    folder_ = (std::filesystem::temp_directory_path() / "lumiquad-test-XXXXXX").string();
    if (::mkdtemp(folder_.data()) == nullptr) std::abort();
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"}) {
      ::setenv(name, (folder_ + "/" + name).c_str(), 1);
    }
  }
  ~PrivateUserFolders() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  PrivateUserFolders(const PrivateUserFolders&) = delete;
  PrivateUserFolders& operator=(const PrivateUserFolders&) = delete;

 private:
  std::string folder_;
};

}  // namespace lumiquad::test
