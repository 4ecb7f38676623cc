#include "settings/program_paths.h"

#include <filesystem>
#include <system_error>

namespace lumiquad {

std::string ProgramDirectory() {
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error).string();
  return executable.parent_path().string();
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
