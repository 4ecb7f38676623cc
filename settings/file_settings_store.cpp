#include "settings/file_settings_store.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "settings/file_io.h"
#include "settings/settings_text.h"

namespace lumiquad {

namespace {

// A settings file this large is not ours: it is treated as damaged and starts afresh.
constexpr std::size_t kMaxSettingsFile = 1 << 20;

// The settings hold the filter password, so the file is private to its owner.
constexpr unsigned kSettingsFileMode = 0600;

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return {};
}

// Reads the current file; nothing when it exists but cannot be read, so that it is never
// overwritten by a store that could not see what it held.
std::optional<SettingsDocument> ReadDocument(const std::string& path) {
  FileReadResult file = ReadFileLimited(path, kMaxSettingsFile);
  switch (file.status) {
    case FileReadStatus::Ok:
      return ParseSettingsText(file.contents);
    case FileReadStatus::Missing:
    case FileReadStatus::TooLarge:
      return SettingsDocument{};
    case FileReadStatus::Unreadable:
      break;
  }
  return std::nullopt;
}

bool WriteDocument(const std::string& path, const SettingsDocument& document) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  return WriteFileAtomically(path, FormatSettingsText(document), kSettingsFileMode).ok;
}

}  // namespace

std::string DefaultSettingsPath() {
  std::string folder;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') {
    folder = config;
  } else {
    std::string home = HomeFolder();
    if (home.empty()) return {};
    folder = home + "/.config";
  }
  return folder + "/Lumiquad/settings.conf";
}

FileSettingsStore::FileSettingsStore(std::string path) : path_(std::move(path)) {}

std::optional<SettingsValues> FileSettingsStore::OpenKey(const std::string& key) {
  if (path_.empty()) return std::nullopt;
  std::optional<SettingsDocument> document = ReadDocument(path_);
  if (!document) return std::nullopt;
  if (const SettingsValues* values = FindKey(*document, key)) return *values;
  // A missing key is created on open, so a first start leaves every key in the file.
  KeyOf(*document, key);
  if (!WriteDocument(path_, *document)) return std::nullopt;
  return SettingsValues{};
}

bool FileSettingsStore::WriteValues(const std::string& key, const SettingsValues& values) {
  if (path_.empty()) return false;
  std::optional<SettingsDocument> document = ReadDocument(path_);
  if (!document) return false;
  SettingsValues& stored = KeyOf(*document, key);
  for (const SettingsEntry& entry : values) PutSettingsValue(stored, entry.name, entry.value);
  return WriteDocument(path_, *document);
}

}  // namespace lumiquad
