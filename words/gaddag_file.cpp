#include "words/gaddag_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "settings/file_io.h"
#include "words/word_list.h"

namespace lumiquad {

namespace {

// A hash of bytes, eight at a time: enough to tell a changed or damaged file from the one a
// cache was made from, and quick over megabytes.
std::uint64_t HashBytes(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  constexpr std::uint64_t kMultiplier = 0x9e3779b97f4a7c15ull;
  std::uint64_t hash = 0x243f6a8885a308d3ull ^ size;
  auto mix = [&](std::uint64_t word) {
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 32;
  };
  std::size_t at = 0;
  for (; at + 8 <= size; at += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes + at, 8);
    mix(word);
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, bytes + at, size - at);
  mix(tail);
  return hash;
}

// The cache file: a header naming the list it was made from, then the edges.
struct CacheHeader {
  char magic[8] = {'L', 'Q', 'G', 'A', 'D', 'D', 'A', 'G'};
  std::uint32_t version = 5;
  std::uint32_t edgeCount = 0;
  std::uint32_t root = 0;
  std::uint32_t reserved = 0;
  std::uint64_t listSize = 0;
  std::int64_t listSeconds = 0;
  std::int64_t listNanoseconds = 0;
  std::uint64_t listHash = 0;
  std::uint64_t edgesHash = 0;
};

// Lists come and go (an edited list is a new one): only the caches written last are kept.
void PruneCache(const std::string& folder) {
  constexpr std::size_t kKept = 3;
  namespace fs = std::filesystem;
  std::vector<std::pair<fs::file_time_type, fs::path>> caches;
  std::error_code error;
  for (fs::directory_iterator at(folder, error), end; !error && at != end; at.increment(error)) {
    const std::string name = at->path().filename().string();
    if (name.rfind("gaddag-", 0) != 0 || at->path().extension() != ".bin") continue;
    std::error_code timeError;
    const fs::file_time_type time = at->last_write_time(timeError);
    if (!timeError) caches.emplace_back(time, at->path());
  }
  if (caches.size() <= kKept) return;
  std::sort(caches.begin(), caches.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t i = kKept; i < caches.size(); ++i) fs::remove(caches[i].second, error);
}

// A GADDAG file's bytes read back: the header must name the list wanted (its time too when
// `sameTime`) and the edges must be whole and undamaged, else nothing.
std::optional<Gaddag> ReadGaddagBytes(const std::string& bytes, const CacheHeader& wanted,
                                      bool sameTime) {
  CacheHeader header;
  if (bytes.size() < sizeof header) return std::nullopt;
  std::memcpy(&header, bytes.data(), sizeof header);
  const std::size_t size = bytes.size() - sizeof header;
  if (std::memcmp(header.magic, wanted.magic, sizeof header.magic) != 0 ||
      header.version != wanted.version || header.listSize != wanted.listSize ||
      header.listHash != wanted.listHash ||
      (sameTime && (header.listSeconds != wanted.listSeconds ||
                    header.listNanoseconds != wanted.listNanoseconds)) ||
      header.edgeCount == 0 || size != std::size_t{header.edgeCount} * sizeof(Gaddag::Edge) ||
      HashBytes(bytes.data() + sizeof header, size) != header.edgesHash) {
    return std::nullopt;
  }
  std::vector<Gaddag::Edge> edges(header.edgeCount);
  std::memcpy(edges.data(), bytes.data() + sizeof header, size);
  return Gaddag::FromEdges(std::move(edges), header.root);
}

std::string GaddagBytes(const Gaddag& gaddag, CacheHeader header) {
  const std::vector<Gaddag::Edge>& edges = gaddag.Edges();
  header.edgeCount = static_cast<std::uint32_t>(edges.size());
  header.root = gaddag.Root();
  header.edgesHash = HashBytes(edges.data(), edges.size() * sizeof(Gaddag::Edge));
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(edges.data()), edges.size() * sizeof(Gaddag::Edge));
  return bytes;
}

CacheHeader HeaderOfList(std::string_view listBytes) {
  CacheHeader header;
  header.listSize = listBytes.size();
  header.listHash = HashBytes(listBytes.data(), listBytes.size());
  return header;
}

}  // namespace

std::string GaddagSidecarPath(const std::string& listPath) {
  return std::filesystem::path(listPath).replace_extension(".gaddag").string();
}

FileWriteResult WriteGaddagSidecar(const Gaddag& gaddag, std::string_view listBytes,
                                   const std::string& path) {
  return WriteFileAtomically(path, GaddagBytes(gaddag, HeaderOfList(listBytes)));
}

std::optional<Gaddag> CachedGaddag(const WordList& words, const std::string& listPath,
                                   const std::string& cacheFolder, const BuildProgress& progress) {
  const FileReadResult list = ReadFileLimited(listPath, kMaxWordListFile);
  if (list.status != FileReadStatus::Ok) return Gaddag::Build(words, progress);
  return CachedGaddag(words, listPath, list.contents, cacheFolder, progress);
}

std::optional<Gaddag> CachedGaddag(const WordList& words, const std::string& listPath,
                                   std::string_view listBytes, const std::string& cacheFolder,
                                   const BuildProgress& progress) {
  constexpr std::size_t kMaxGaddagFile = std::size_t{4} * kMaxGaddagEdges + 4096;
  CacheHeader wanted = HeaderOfList(listBytes);
  // A list installed with its structure made when the program was built: the bytes decide,
  // since installing gives the file a time of its own.
  const FileReadResult sidecar = ReadFileLimited(GaddagSidecarPath(listPath), kMaxGaddagFile);
  if (sidecar.status == FileReadStatus::Ok) {
    if (std::optional<Gaddag> gaddag = ReadGaddagBytes(sidecar.contents, wanted, false)) {
      return gaddag;
    }
  }
  struct stat info {};
  // A file changed since it was read is not the list in hand: nothing is cached for it.
  if (::stat(listPath.c_str(), &info) != 0 ||
      static_cast<std::uint64_t>(info.st_size) != listBytes.size()) {
    return Gaddag::Build(words, progress);
  }
  wanted.listSeconds = info.st_mtim.tv_sec;
  wanted.listNanoseconds = info.st_mtim.tv_nsec;
  // Named after the list file as well as its bytes: two copies of one list (a build's and an
  // installed one) keep a cache each instead of taking turns to make it.
  const std::uint64_t stamp[] = {wanted.listHash, wanted.listSize,
                                 static_cast<std::uint64_t>(wanted.listSeconds),
                                 static_cast<std::uint64_t>(wanted.listNanoseconds)};
  char name[40];
  std::snprintf(name, sizeof name, "/gaddag-%016llx.bin",
                static_cast<unsigned long long>(HashBytes(stamp, sizeof stamp)));
  const std::string cachePath = cacheFolder.empty() ? std::string() : cacheFolder + name;

  if (!cachePath.empty()) {
    const FileReadResult cached = ReadFileLimited(cachePath, kMaxGaddagFile, PathOwner::Program);
    if (cached.status == FileReadStatus::Ok) {
      if (std::optional<Gaddag> gaddag = ReadGaddagBytes(cached.contents, wanted, true)) {
        return gaddag;
      }
    }
  }

  std::optional<Gaddag> built = Gaddag::Build(words, progress);
  if (built && !cachePath.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(cacheFolder, ignored);
    // A cache takes seconds to write; an older temporary was left by a writer that died.
    PruneStaleTemporaries(cacheFolder, "gaddag-", 600);
    const FileWriteResult written =
        WriteFileAtomically(cachePath, GaddagBytes(*built, wanted), 0644, PathOwner::Program);
    if (written.ok) {
      PruneCache(cacheFolder);
    } else {
      // The game runs on without a cache; the reason is worth a line to whoever looks.
      std::fprintf(stderr, "lumiquad: the word cache %s was not written: %s\n", cachePath.c_str(),
                   written.error.c_str());
    }
  }
  return built;
}

}  // namespace lumiquad
