#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumiquad {

class WordList;

// Told how far a long build has come, 0 to 100; answers false to stop it.
using BuildProgress = std::function<bool(int percent)>;

// Edges an edge can index: the largest structure a GADDAG may be.
inline constexpr std::uint32_t kMaxGaddagEdges = 1u << 25;

// The number of bits set. Written out rather than left to the compiler's builtin, which without
// a processor-specific build becomes a library call in the search's innermost loop.
constexpr int CountBits(std::uint32_t bits) {
  bits = bits - ((bits >> 1) & 0x55555555u);
  bits = (bits & 0x33333333u) + ((bits >> 2) & 0x33333333u);
  return static_cast<int>((((bits + (bits >> 4)) & 0x0f0f0f0fu) * 0x01010101u) >> 24);
}

// The word list as a GADDAG, for the move search: every word of letters A to Z is stored once
// for each of its letters, as the letters from that one back to the word's start, a separator,
// and the rest of the word. A search can so start at a square that a move must cover and grow
// the word leftwards first, never trying a left part that cannot reach it.
//
// The structure is one array of 32-bit words. A node is a header, the set of codes of its edges
// as bits (the separator 0, 1 to 26 for 'A' to 'Z'), followed by those edges in order of code,
// the last marked; an edge holds its code, whether the string that ends with it is whole, and
// the index of the node it leads to (0 for none). The header finds an edge at once and tells a
// search which letters it may lay without looking at the others. Equal subtrees are stored
// once, so the array stays small enough for the processor's caches.
class Gaddag {
 public:
  static constexpr int kSeparator = 0;
  using Edge = std::uint32_t;

  // Builds from the words of a list (those made only of 'A' to 'Z'). Nothing when the list
  // would need more edges than an edge can index, or when `progress` asks to stop.
  static std::optional<Gaddag> Build(const WordList& words, const BuildProgress& progress = {});

  // The edge's code: kSeparator, or 1 + the letter's place in the alphabet.
  static int Code(Edge edge) { return static_cast<int>(edge & 0x1f); }
  static int CodeOf(char letter) { return letter - 'A' + 1; }
  static bool Whole(Edge edge) { return (edge & 0x20) != 0; }
  static bool Last(Edge edge) { return (edge & 0x40) != 0; }
  static std::uint32_t Next(Edge edge) { return edge >> 7; }

  Edge At(std::uint32_t index) const { return edges_[index]; }
  std::uint32_t Root() const { return root_; }
  // The codes of the node's edges, as bits; its edges follow the header, in order of code.
  std::uint32_t Codes(std::uint32_t node) const { return edges_[node]; }
  std::uint32_t FirstEdge(std::uint32_t node) const { return node + 1; }
  // The index of the edge of `code` leaving the node at `node`, or kNone.
  std::uint32_t Find(std::uint32_t node, int code) const {
    const std::uint32_t codes = edges_[node];
    if ((codes >> code & 1) == 0) return kNone;
    return node + 1 + static_cast<std::uint32_t>(CountBits(codes & ((1u << code) - 1)));
  }
  static constexpr std::uint32_t kNone = 0xffffffffu;

  std::size_t EdgeCount() const { return edges_.size(); }
  bool Empty() const { return root_ == 0; }

  // The structure as bytes for the cache on disk, and read back: nothing unless every edge
  // leads inside the array and every node's run ends inside it.
  const std::vector<Edge>& Edges() const { return edges_; }
  static std::optional<Gaddag> FromEdges(std::vector<Edge> edges, std::uint32_t root);

 private:
  void LayOutByDepth();

  std::vector<Edge> edges_;
  std::uint32_t root_ = 0;  // 0: no word at all
};

}  // namespace lumiquad
