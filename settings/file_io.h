#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumiquad {

struct FileWriteResult {
  bool ok = false;
  std::string error;  // the system's reason when not ok
};

// Writes `contents` to a temporary file beside `path`, flushes it to disk and renames it over
// `path`. On any failure the temporary file is removed and whatever `path` held stays intact.
FileWriteResult WriteFileAtomically(const std::string& path, std::string_view contents,
                                    unsigned mode = 0644);

enum class FileReadStatus { Ok, Missing, Unreadable, TooLarge };

struct FileReadResult {
  FileReadStatus status = FileReadStatus::Missing;
  std::string contents;
};

// Reads a whole regular file of at most `maxBytes` bytes. Missing: no such file; Unreadable: it
// exists but cannot be read (or is not a regular file); TooLarge: it holds more than maxBytes.
FileReadResult ReadFileLimited(const std::string& path, std::size_t maxBytes);

}  // namespace lumiquad
