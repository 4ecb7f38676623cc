#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumiquad {

struct FileWriteResult {
  bool ok = false;
  std::string error;  // the system's reason when not ok
};

// Whose a path is, which decides what may stand there.
enum class PathOwner {
  // A path the user chose (Save, Export, Report, a settings file behind a dotfiles link): a
  // symbolic link to a regular file is followed, and a write replaces that file, the link kept.
  User,
  // A file of the program's own (the word cache, the kept games): a link is never followed.
  Program,
};

// Writes `contents` to a fresh temporary file beside `path` (created exclusively under a random
// name, so nothing planted there is followed or overwritten), flushes it to disk and renames it
// over `path`. Only a regular file is ever replaced: a folder, FIFO, device or socket at the
// target (and for a Program path, a symbolic link) is refused with a reason and left as it is.
// The file gets `mode` less the umask. On any failure the temporary file is removed and
// whatever `path` held stays intact.
FileWriteResult WriteFileAtomically(const std::string& path, std::string_view contents,
                                    unsigned mode = 0644, PathOwner owner = PathOwner::User);

// Whether two paths name one file, whatever links or folders lead to it (false when either
// does not exist).
bool SameFile(const std::string& first, const std::string& second);

// Removes the temporary files that a writer killed mid-write left in `folder` (hidden files named
// ".PREFIX...XXXXXX" as WriteFileAtomically makes them) once they are `ageSeconds` old, so that a
// writer still at work keeps its own.
void PruneStaleTemporaries(const std::string& folder, const std::string& prefix,
                           long long ageSeconds);

enum class FileReadStatus { Ok, Missing, Unreadable, TooLarge };

struct FileReadResult {
  FileReadStatus status = FileReadStatus::Missing;
  std::string contents;
};

// Reads a whole regular file of at most `maxBytes` bytes. Missing: no such file; Unreadable: it
// exists but cannot be read or is no regular file (a folder, a FIFO, a device: none of them is
// waited on), or, for a Program path, it is a symbolic link; TooLarge: it holds more than
// maxBytes.
FileReadResult ReadFileLimited(const std::string& path, std::size_t maxBytes,
                               PathOwner owner = PathOwner::User);

// The same test without reading the contents: what ReadFileLimited would answer.
FileReadStatus CheckReadableFile(const std::string& path, std::size_t maxBytes);

// The file a path names once symbolic links are followed (the path itself when it is none).
std::string ResolveLinks(const std::string& path);

}  // namespace lumiquad
