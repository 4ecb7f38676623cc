#include "settings/program_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace lumiquad {

std::string ProgramDirectory() {
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error).string();
  return executable.parent_path().string();
}

namespace {

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return {};
}

}  // namespace

std::string UserFolder(UserFolderKind kind) {
  const char* variable = kind == UserFolderKind::Config  ? "XDG_CONFIG_HOME"
                         : kind == UserFolderKind::State ? "XDG_STATE_HOME"
                                                         : "XDG_CACHE_HOME";
  const char* fallback = kind == UserFolderKind::Config  ? "/.config"
                         : kind == UserFolderKind::State ? "/.local/state"
                                                         : "/.cache";
  std::string folder;
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') {
    folder = value;
  } else {
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    folder = home + fallback;
  }
  return folder + "/Lumiquad";
}

std::string DataFilePath(const std::string& fileName) {
  const std::filesystem::path folder = ProgramDirectory();
  const std::filesystem::path beside = folder / fileName;
  std::error_code error;
  if (std::filesystem::is_regular_file(beside, error)) return beside.string();
  const std::filesystem::path installed =
      (folder / ".." / "share" / "lumiquad" / fileName).lexically_normal();
  if (std::filesystem::is_regular_file(installed, error)) return installed.string();
  return beside.string();
}

}  // namespace lumiquad
