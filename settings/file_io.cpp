#include "settings/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace lumiquad {

namespace {

FileWriteResult Failure(int error) { return {false, std::strerror(error)}; }

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// Opens a path for reading without waiting on it: a FIFO or a device answers at once.
int OpenForReading(const std::string& path, PathOwner owner) {
  return ::open(path.c_str(),
                O_RDONLY | O_NONBLOCK | O_CLOEXEC | (owner == PathOwner::Program ? O_NOFOLLOW : 0));
}

// Why a write to `target` must not go ahead: what stands there is not a regular file (and, for
// the program's own files, not a link either). Empty when nothing is there or a regular file is.
std::string WhyNotReplaced(const std::string& target, PathOwner owner) {
  struct stat info {};
  if (::lstat(target.c_str(), &info) != 0) return {};
  if (S_ISREG(info.st_mode)) return {};
  if (S_ISLNK(info.st_mode)) {
    return owner == PathOwner::Program ? "it is a symbolic link, which is never followed"
                                       : "it is a symbolic link that leads nowhere usable";
  }
  if (S_ISDIR(info.st_mode)) return "it is a folder, not a file";
  return "it is not a regular file (a pipe, a device or a socket)";
}

// The status of an open file: Ok for a regular file within the size limit.
FileReadStatus StatusOf(int fd, std::size_t maxBytes) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return FileReadStatus::Unreadable;
  if (static_cast<unsigned long long>(info.st_size) > maxBytes) return FileReadStatus::TooLarge;
  return FileReadStatus::Ok;
}

FileReadStatus OpenFailure() {
  return errno == ENOENT ? FileReadStatus::Missing : FileReadStatus::Unreadable;
}

}  // namespace

std::string ResolveLinks(const std::string& path) {
  std::string current = path;
  // A loop of links resolves nowhere; the system gives up at the same depth.
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    char target[PATH_MAX];
    const ssize_t length = ::readlink(current.c_str(), target, sizeof target - 1);
    if (length <= 0) return current;
    std::string next(target, static_cast<std::size_t>(length));
    current = next.front() == '/' ? next : FolderOf(current) + "/" + next;
  }
  return current;
}

FileWriteResult WriteFileAtomically(const std::string& path, std::string_view contents,
                                    unsigned mode, PathOwner owner) {
  if (path.empty()) return Failure(ENOENT);
  const std::string target = owner == PathOwner::User ? ResolveLinks(path) : path;
  if (std::string why = WhyNotReplaced(target, owner); !why.empty()) return {false, why};
  const std::size_t slash = target.rfind('/');
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = FolderOf(target) + "/." + name + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return Failure(errno);
  bool written = ::fchmod(fd, static_cast<mode_t>(mode) & ~CurrentUmask()) == 0 &&
                 WriteAll(fd, contents) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temporary.c_str(), target.c_str()) == 0) {
    // The rename itself reaches the disk with its folder.
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      ::fsync(folder);
      ::close(folder);
    }
    return {true, {}};
  }
  if (written) error = errno;
  ::unlink(temporary.c_str());
  return Failure(error);
}

bool SameFile(const std::string& first, const std::string& second) {
  struct stat a {};
  struct stat b {};
  return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

void PruneStaleTemporaries(const std::string& folder, const std::string& prefix,
                           long long ageSeconds) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const std::time_t now = std::time(nullptr);
  const std::string start = "." + prefix;
  constexpr std::size_t kRandomPart = 7;  // ".XXXXXX"
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() <= start.size() + kRandomPart || name.compare(0, start.size(), start) != 0 ||
        name[name.size() - kRandomPart] != '.') {
      continue;
    }
    const std::string path = folder + "/" + name;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        now - info.st_mtime >= ageSeconds) {
      ::unlink(path.c_str());
    }
  }
  ::closedir(dir);
}

FileReadStatus CheckReadableFile(const std::string& path, std::size_t maxBytes) {
  if (path.empty()) return FileReadStatus::Missing;
  const int fd = OpenForReading(path, PathOwner::User);
  if (fd < 0) return OpenFailure();
  const FileReadStatus status = StatusOf(fd, maxBytes);
  ::close(fd);
  return status;
}

FileReadResult ReadFileLimited(const std::string& path, std::size_t maxBytes, PathOwner owner) {
  if (path.empty()) return {FileReadStatus::Missing, {}};
  const int fd = OpenForReading(path, owner);
  if (fd < 0) return {OpenFailure(), {}};
  FileReadResult result{StatusOf(fd, maxBytes), {}};
  if (result.status == FileReadStatus::Ok) {
    char buffer[65536];
    for (;;) {
      ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        result = {FileReadStatus::Unreadable, {}};
        break;
      }
      if (got == 0) break;
      result.contents.append(buffer, static_cast<std::size_t>(got));
      // The file may grow while it is read; hold to the limit regardless.
      if (result.contents.size() > maxBytes) {
        result = {FileReadStatus::TooLarge, {}};
        break;
      }
    }
  }
  ::close(fd);
  return result;
}

}  // namespace lumiquad
