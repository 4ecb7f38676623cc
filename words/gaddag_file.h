#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/file_io.h"
#include "words/gaddag.h"

namespace lumiquad {

// The GADDAG of a word list read from a file. First from the file beside the list that the
// build made with it (GaddagSidecarPath), when it was made from these very bytes; else from the
// cache folder when it holds one made from this very file (its size, time and a hash of its
// bytes); else built, told to `progress`, and written to the cache. A file that does not match
// or does not read back whole is never trusted. Nothing when the list's file cannot be read,
// the list is too large for a GADDAG, or `progress` stopped the build.
std::optional<Gaddag> CachedGaddag(const WordList& words, const std::string& listPath,
                                   const std::string& cacheFolder,
                                   const BuildProgress& progress = {});
// The same when the file's bytes are at hand, as the list was just read from them.
std::optional<Gaddag> CachedGaddag(const WordList& words, const std::string& listPath,
                                   std::string_view listBytes, const std::string& cacheFolder,
                                   const BuildProgress& progress = {});

// Where a list's prebuilt structure lies: beside it, named as it is with ".gaddag".
std::string GaddagSidecarPath(const std::string& listPath);
// Writes the structure made from a list's bytes, for installing beside the list.
FileWriteResult WriteGaddagSidecar(const Gaddag& gaddag, std::string_view listBytes,
                                   const std::string& path);

}  // namespace lumiquad
