#include "settings/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

}  // namespace

FileWriteResult WriteFileAtomically(const std::string& path, std::string_view contents,
                                    unsigned mode) {
  // The process id keeps two running copies from writing the same temporary file.
  std::string temporary = path + ".tmp-" + std::to_string(::getpid());
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                  static_cast<mode_t>(mode));
  if (fd < 0) return Failure(errno);
  bool written = WriteAll(fd, contents) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temporary.c_str(), path.c_str()) == 0) return {true, {}};
  if (written) error = errno;
  ::unlink(temporary.c_str());
  return Failure(error);
}

FileReadResult ReadFileLimited(const std::string& path, std::size_t maxBytes) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return {errno == ENOENT ? FileReadStatus::Missing : FileReadStatus::Unreadable, {}};
  }
  FileReadResult result{FileReadStatus::Ok, {}};
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result.status = FileReadStatus::Unreadable;
  } else if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
    result.status = FileReadStatus::TooLarge;
  } else {
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
