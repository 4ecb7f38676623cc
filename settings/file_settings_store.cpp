#include "settings/file_settings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "settings/file_io.h"
#include "settings/program_paths.h"
#include "settings/settings_text.h"

namespace lumiquad {

namespace {

// A settings file this large is not ours: it is set aside as damaged and started afresh.
constexpr std::size_t kMaxSettingsFile = 1 << 20;

// The settings hold the filter password, so the file is private to its owner.
constexpr unsigned kSettingsFileMode = 0600;

// Holds the advisory lock beside the settings file for one read-merge-write, so that two
// running copies never write over each other's changes. Without a lock file (a read-only
// folder) the store goes on unlocked: it could not write there anyway.
class SettingsLock {
 public:
  explicit SettingsLock(const std::string& path) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    fd_ = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK,
                 0600);
    // Only a regular file of our own is a lock: a link is not followed (O_NOFOLLOW), and a
    // FIFO or device planted at the name is let go unused.
    struct stat info {};
    if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
      ::close(fd_);
      fd_ = -1;
    }
    if (fd_ >= 0) {
      while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~SettingsLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  SettingsLock(const SettingsLock&) = delete;
  SettingsLock& operator=(const SettingsLock&) = delete;

 private:
  int fd_ = -1;
};

// Reads the current file; nothing when it exists but cannot be read, so that it is never
// overwritten by a store that could not see what it held. A file that is no settings file (too
// large, or not text) is renamed to settings.conf.bad before the store starts afresh, so that
// nothing the user wrote is destroyed.
std::optional<SettingsDocument> ReadDocument(const std::string& path) {
  FileReadResult file = ReadFileLimited(path, kMaxSettingsFile);
  switch (file.status) {
    case FileReadStatus::Ok:
      if (file.contents.find('\0') == std::string::npos) {
        return file.contents.empty() ? NewSettingsDocument() : ParseSettingsText(file.contents);
      }
      [[fallthrough]];
    case FileReadStatus::TooLarge: {
      const std::string damaged = ResolveLinks(path);
      if (::rename(damaged.c_str(), (damaged + ".bad").c_str()) != 0) return std::nullopt;
    }
      return NewSettingsDocument();
    case FileReadStatus::Missing:
      return NewSettingsDocument();
    case FileReadStatus::Unreadable:
      break;
  }
  return std::nullopt;
}

bool WriteDocument(const std::string& path, const SettingsDocument& document) {
  return WriteFileAtomically(path, FormatSettingsText(document), kSettingsFileMode).ok;
}

}  // namespace

std::string DefaultSettingsPath() {
  const std::string folder = UserFolder(UserFolderKind::Config);
  return folder.empty() ? folder : folder + "/settings.conf";
}

FileSettingsStore::FileSettingsStore(std::string path) : path_(std::move(path)) {}

std::optional<SettingsValues> FileSettingsStore::OpenKey(const std::string& key) {
  if (path_.empty()) return std::nullopt;
  SettingsLock lock(path_);
  std::optional<SettingsDocument> document = ReadDocument(path_);
  if (!document) return std::nullopt;
  if (std::optional<SettingsValues> values = ValuesOf(*document, key)) return values;
  // A missing key is created on open, so a first start leaves every key in the file.
  AddKey(*document, key);
  if (!WriteDocument(path_, *document)) return std::nullopt;
  return SettingsValues{};
}

bool FileSettingsStore::WriteValues(const std::string& key, const SettingsValues& values) {
  if (path_.empty()) return false;
  SettingsLock lock(path_);
  std::optional<SettingsDocument> document = ReadDocument(path_);
  if (!document) return false;
  PutValues(*document, key, values);
  return WriteDocument(path_, *document);
}

}  // namespace lumiquad
