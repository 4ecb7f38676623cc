#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumiquad {

struct FileWriteResult {
  bool ok = false;
  std::string error;  // the system's reason when not ok
};

// Writes `contents` to a fresh temporary file beside `path` (created exclusively under a random
// name, so nothing planted there is followed or overwritten), flushes it to disk and renames it
// over `path`. When `path` is a symbolic link, the file it leads to is replaced and the link
// kept. The file gets `mode` less the umask. On any failure the temporary file is removed and
// whatever `path` held stays intact.
FileWriteResult WriteFileAtomically(const std::string& path, std::string_view contents,
                                    unsigned mode = 0644);

enum class FileReadStatus { Ok, Missing, Unreadable, TooLarge };

struct FileReadResult {
  FileReadStatus status = FileReadStatus::Missing;
  std::string contents;
};

// Reads a whole regular file of at most `maxBytes` bytes. Missing: no such file; Unreadable: it
// exists but cannot be read or is no regular file (a folder, a FIFO, a device: none of them is
// waited on); TooLarge: it holds more than maxBytes.
FileReadResult ReadFileLimited(const std::string& path, std::size_t maxBytes);

// The same test without reading the contents: what ReadFileLimited would answer.
FileReadStatus CheckReadableFile(const std::string& path, std::size_t maxBytes);

// The file a path names once symbolic links are followed (the path itself when it is none).
std::string ResolveLinks(const std::string& path);

}  // namespace lumiquad
