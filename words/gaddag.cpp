#include "words/gaddag.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <tuple>
#include <unordered_set>

#include "words/word_list.h"

namespace lumiquad {

namespace {

// A GADDAG string: its codes plus 1 (the separator 1, the letters 2 to 27), zero-padded, so that
// strings compare as byte arrays, a prefix before its extensions.
using Key = std::array<std::uint8_t, kLongestWord + 1>;

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

// Every word's GADDAG strings: from each of its letters back to its start, then the separator
// and the rest.
std::vector<Key> KeysOf(const WordList& list) {
  std::vector<Key> keys;
  for (const std::string& word : WordsOf(list)) {
    const std::size_t n = word.size();
    for (std::size_t split = 1; split <= n; ++split) {
      Key key{};
      std::size_t at = 0;
      for (std::size_t i = split; i-- > 0;)
        key[at++] = static_cast<std::uint8_t>(word[i] - 'A' + 2);
      if (split < n) {
        key[at++] = Gaddag::kSeparator + 1;
        for (std::size_t i = split; i < n; ++i)
          key[at++] = static_cast<std::uint8_t>(word[i] - 'A' + 2);
      }
      keys.push_back(key);
    }
  }
  return keys;
}

}  // namespace

namespace {

// Builds the nodes bottom up from the sorted strings, storing each distinct node once: a node is
// looked for among those already stored (by its run of edges, children included) before it is
// kept.
class Builder {
 public:
  Builder(const std::vector<Key>& keys, const BuildProgress& progress)
      : keys_(keys), progress_(progress) {
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
      // The first letters split the work into parts of some size: told as they are reached.
      if (depth == 0 && progress_ && !progress_(static_cast<int>(20 + 80 * i / end))) {
        return std::nullopt;
      }
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
    if (start + run.size() >= kMaxGaddagEdges) return std::nullopt;
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
  const BuildProgress& progress_;
  std::vector<Gaddag::Edge> edges_;
  std::unordered_set<std::uint32_t, RunHash, RunEqual> nodes_{1 << 16, RunHash{&edges_},
                                                              RunEqual{&edges_}};
};

}  // namespace

std::optional<Gaddag> Gaddag::Build(const WordList& list, const BuildProgress& progress) {
  if (progress && !progress(0)) return std::nullopt;
  Gaddag gaddag;
  // The keys and the builder's table of nodes go before the edges are laid out again: the
  // layout's own copies then take their place rather than adding to them.
  {
    std::vector<Key> keys = KeysOf(list);
    if (progress && !progress(10)) return std::nullopt;
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    Builder builder(keys, progress);
    const std::optional<std::uint32_t> root = builder.Node(0, keys.size(), 0);
    if (!root) return std::nullopt;
    gaddag.edges_ = builder.Take();
    gaddag.root_ = *root;
  }
  gaddag.LayOutByDepth();
  if (progress) progress(100);
  return gaddag;
}

void Gaddag::LayOutByDepth() {
  if (root_ == 0) return;
  // Built bottom up, the nodes a search visits most (those near the root) end up scattered over
  // the whole array. Laid out again from the root, level by level, they share a few cache lines.
  std::vector<std::uint32_t> moved(edges_.size(), 0);
  std::vector<Edge> laid{0};
  laid.reserve(edges_.size());
  std::vector<std::uint32_t> order{root_};
  moved[root_] = 1;
  for (std::size_t next = 0; next < order.size(); ++next) {
    const std::uint32_t node = order[next];
    moved[node] = static_cast<std::uint32_t>(laid.size());
    const std::uint32_t length = 1 + static_cast<std::uint32_t>(CountBits(edges_[node]));
    for (std::uint32_t at = node; at < node + length; ++at) {
      laid.push_back(edges_[at]);
      const std::uint32_t child = at == node ? 0 : Next(edges_[at]);
      // A node reached again keeps its first place.
      if (child != 0 && moved[child] == 0) {
        moved[child] = 1;
        order.push_back(child);
      }
    }
  }
  for (std::uint32_t node : order) {
    const std::uint32_t start = moved[node];
    const std::uint32_t length = 1 + static_cast<std::uint32_t>(CountBits(laid[start]));
    for (std::uint32_t at = start + 1; at < start + length; ++at) {
      const std::uint32_t child = Next(laid[at]);
      if (child != 0) laid[at] = (laid[at] & 0x7f) | moved[child] << 7;
    }
  }
  root_ = moved[root_];
  edges_ = std::move(laid);
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

}  // namespace lumiquad
