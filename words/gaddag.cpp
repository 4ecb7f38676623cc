#include "words/gaddag.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <tuple>
#include <unordered_set>

#include "settings/file_io.h"
#include "words/word_list.h"

namespace lumiquad {

namespace {

// A GADDAG string: its codes plus 1 (the separator 1, the letters 2 to 27), zero-padded, so that
// strings compare as byte arrays, a prefix before its extensions.
using Key = std::array<std::uint8_t, kLongestWord + 1>;

constexpr std::uint32_t kMaxEdges = 1u << 25;
constexpr std::uint32_t kWholeBit = 0x20;
constexpr std::uint32_t kLastBit = 0x40;

// Every word of letters A to Z in the list, by a walk of its tree.
std::vector<std::string> WordsOf(const WordList& words) {
  std::vector<std::string> found;
  std::string word;
  struct Frame {
    const TrieNode* node;
    int next;
  };
  std::vector<Frame> stack{{&words.Root(), 0}};
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.node->ChildCount()) {
      stack.pop_back();
      if (!word.empty()) word.pop_back();
      continue;
    }
    const TrieNode& child = frame.node->Child(frame.next++);
    if (child.Letter() < 'A' || child.Letter() > 'Z') continue;
    word += child.Letter();
    if (child.IsTerminal()) found.push_back(word);
    stack.push_back({&child, 0});
  }
  return found;
}

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
  std::uint32_t version = 4;
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

}  // namespace

namespace {

// Builds the nodes bottom up from the sorted strings, storing each distinct node once: a node is
// looked for among those already stored (by its run of edges, children included) before it is
// kept.
class Builder {
 public:
  explicit Builder(const std::vector<Key>& keys) : keys_(keys) {
    edges_.push_back(0);  // index 0 is no node: an edge with 0 leads nowhere
  }

  // The node of the strings keys_[begin, end), which share their first `depth` codes; 0 when
  // none goes on past them. Nothing when the edges outgrow what an edge can index.
  std::optional<std::uint32_t> Node(std::size_t begin, std::size_t end, std::size_t depth) {
    std::vector<Gaddag::Edge> run{0};  // the header, filled in below
    std::size_t i = begin;
    // Strings that end at this depth were marked whole on the edge that led here.
    while (i < end && (depth >= kKeyLength || keys_[i][depth] == 0)) ++i;
    while (i < end) {
      const std::uint8_t code = keys_[i][depth];
      std::size_t j = i;
      bool whole = false;
      bool longer = false;
      for (; j < end && keys_[j][depth] == code; ++j) {
        const bool ends = depth + 1 == kKeyLength || keys_[j][depth + 1] == 0;
        whole = whole || ends;
        longer = longer || !ends;
      }
      std::uint32_t child = 0;
      if (longer) {
        const std::optional<std::uint32_t> built = Node(i, j, depth + 1);
        if (!built) return std::nullopt;
        child = *built;
      }
      run.push_back(static_cast<Gaddag::Edge>(code - 1) | (whole ? kWholeBit : 0) | child << 7);
      run.front() |= 1u << (code - 1);
      i = j;
    }
    if (run.size() == 1) return 0u;
    run.back() |= kLastBit;
    const auto start = static_cast<std::uint32_t>(edges_.size());
    if (start + run.size() >= kMaxEdges) return std::nullopt;
    edges_.insert(edges_.end(), run.begin(), run.end());
    const auto [stored, added] = nodes_.insert(start);
    if (!added) {
      edges_.resize(start);
      return *stored;
    }
    return start;
  }

  std::vector<Gaddag::Edge> Take() { return std::move(edges_); }

 private:
  static constexpr std::size_t kKeyLength = std::tuple_size_v<Key>;

  // A node's header and edges, read from where it starts.
  static std::uint32_t Length(const std::vector<Gaddag::Edge>& edges, std::uint32_t start) {
    return 1 + static_cast<std::uint32_t>(CountBits(edges[start]));
  }
  struct RunHash {
    const std::vector<Gaddag::Edge>* edges;
    std::size_t operator()(std::uint32_t start) const {
      std::uint64_t hash = 1469598103934665603ull;
      const std::uint32_t end = start + Length(*edges, start);
      for (std::uint32_t at = start; at < end; ++at)
        hash = (hash ^ (*edges)[at]) * 1099511628211ull;
      return static_cast<std::size_t>(hash);
    }
  };
  struct RunEqual {
    const std::vector<Gaddag::Edge>* edges;
    bool operator()(std::uint32_t a, std::uint32_t b) const {
      const std::uint32_t length = Length(*edges, a);
      if (length != Length(*edges, b)) return false;
      for (std::uint32_t i = 0; i < length; ++i) {
        if ((*edges)[a + i] != (*edges)[b + i]) return false;
      }
      return true;
    }
  };

  const std::vector<Key>& keys_;
  std::vector<Gaddag::Edge> edges_;
  std::unordered_set<std::uint32_t, RunHash, RunEqual> nodes_{1 << 16, RunHash{&edges_},
                                                              RunEqual{&edges_}};
};

}  // namespace

std::optional<Gaddag> Gaddag::Build(const WordList& list) {
  std::vector<Key> keys;
  {
    const std::vector<std::string> words = WordsOf(list);
    for (const std::string& word : words) {
      const std::size_t n = word.size();
      for (std::size_t split = 1; split <= n; ++split) {
        Key key{};
        std::size_t at = 0;
        for (std::size_t i = split; i-- > 0;)
          key[at++] = static_cast<std::uint8_t>(word[i] - 'A' + 2);
        if (split < n) {
          key[at++] = kSeparator + 1;
          for (std::size_t i = split; i < n; ++i)
            key[at++] = static_cast<std::uint8_t>(word[i] - 'A' + 2);
        }
        keys.push_back(key);
      }
    }
  }
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  Builder builder(keys);
  const std::optional<std::uint32_t> root = builder.Node(0, keys.size(), 0);
  if (!root) return std::nullopt;
  Gaddag gaddag;
  gaddag.edges_ = builder.Take();
  gaddag.edges_.shrink_to_fit();
  gaddag.root_ = *root;
  return gaddag;
}

std::optional<Gaddag> Gaddag::FromEdges(std::vector<Edge> edges, std::uint32_t root) {
  // The nodes lie one after another from index 1, each its header and the edges it names, in
  // order of code, the last marked; every edge leads to the start of a node or nowhere.
  if (edges.empty() || root >= edges.size()) return std::nullopt;
  std::vector<std::uint8_t> starts(edges.size());
  std::size_t node = 1;
  while (node < edges.size()) {
    const std::uint32_t codes = edges[node];
    const auto count = static_cast<std::size_t>(CountBits(codes));
    if (codes >> 27 != 0 || count == 0 || node + count >= edges.size()) return std::nullopt;
    starts[node] = 1;
    std::uint32_t rest = codes;
    for (std::size_t i = 1; i <= count; ++i) {
      const Edge edge = edges[node + i];
      const int code = std::countr_zero(rest);
      rest &= rest - 1;
      if (Code(edge) != code || Last(edge) != (i == count)) return std::nullopt;
    }
    node += count + 1;
  }
  if (root != 0 && starts[root] == 0) return std::nullopt;
  for (std::size_t at = 1; at < edges.size(); ++at) {
    if (starts[at] != 0) continue;
    const std::uint32_t next = Next(edges[at]);
    if (next != 0 && (next >= edges.size() || starts[next] == 0)) return std::nullopt;
  }
  Gaddag gaddag;
  gaddag.edges_ = std::move(edges);
  gaddag.root_ = root;
  return gaddag;
}

std::optional<Gaddag> CachedGaddag(const WordList& words, const std::string& listPath,
                                   const std::string& cacheFolder) {
  const FileReadResult list = ReadFileLimited(listPath, kMaxWordListFile);
  if (list.status != FileReadStatus::Ok) return Gaddag::Build(words);
  return CachedGaddag(words, listPath, list.contents, cacheFolder);
}

std::optional<Gaddag> CachedGaddag(const WordList& words, const std::string& listPath,
                                   std::string_view listBytes, const std::string& cacheFolder) {
  struct stat info {};
  // A file changed since it was read is not the list in hand: nothing is cached for it.
  if (::stat(listPath.c_str(), &info) != 0 ||
      static_cast<std::uint64_t>(info.st_size) != listBytes.size()) {
    return Gaddag::Build(words);
  }
  CacheHeader wanted;
  wanted.listSize = static_cast<std::uint64_t>(info.st_size);
  wanted.listSeconds = info.st_mtim.tv_sec;
  wanted.listNanoseconds = info.st_mtim.tv_nsec;
  wanted.listHash = HashBytes(listBytes.data(), listBytes.size());
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
    const FileReadResult cached =
        ReadFileLimited(cachePath, std::size_t{4} * kMaxEdges + 4096, PathOwner::Program);
    CacheHeader header;
    if (cached.status == FileReadStatus::Ok && cached.contents.size() >= sizeof header) {
      std::memcpy(&header, cached.contents.data(), sizeof header);
      const std::size_t bytes = cached.contents.size() - sizeof header;
      if (std::memcmp(header.magic, wanted.magic, sizeof header.magic) == 0 &&
          header.version == wanted.version && header.listSize == wanted.listSize &&
          header.listSeconds == wanted.listSeconds &&
          header.listNanoseconds == wanted.listNanoseconds && header.listHash == wanted.listHash &&
          header.edgeCount != 0 && bytes == std::size_t{header.edgeCount} * sizeof(Gaddag::Edge) &&
          HashBytes(cached.contents.data() + sizeof header, bytes) == header.edgesHash) {
        std::vector<Gaddag::Edge> edges(header.edgeCount);
        std::memcpy(edges.data(), cached.contents.data() + sizeof header, bytes);
        if (std::optional<Gaddag> gaddag = Gaddag::FromEdges(std::move(edges), header.root)) {
          return gaddag;
        }
      }
    }
  }

  std::optional<Gaddag> built = Gaddag::Build(words);
  if (built && !cachePath.empty()) {
    const std::vector<Gaddag::Edge>& edges = built->Edges();
    CacheHeader header = wanted;
    header.edgeCount = static_cast<std::uint32_t>(edges.size());
    header.root = built->Root();
    header.edgesHash = HashBytes(edges.data(), edges.size() * sizeof(Gaddag::Edge));
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(edges.data()), edges.size() * sizeof(Gaddag::Edge));
    std::error_code ignored;
    std::filesystem::create_directories(cacheFolder, ignored);
    // A cache takes seconds to write; an older temporary was left by a writer that died.
    PruneStaleTemporaries(cacheFolder, "gaddag-", 600);
    const FileWriteResult written = WriteFileAtomically(cachePath, bytes, 0644, PathOwner::Program);
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
