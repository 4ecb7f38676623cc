#include "words/anagram_keys.h"

#include <utility>

#include "words/word_list.h"

namespace lumiquad {

namespace {

constexpr std::array<AnagramKeys::Key, 26> MakeLetterKeys() {
  std::array<AnagramKeys::Key, 26> keys{};
  std::uint64_t state = 0x9e3779b97f4a7c15ull;  // splitmix64, so the keys never change
  for (AnagramKeys::Key& key : keys) {
    state += 0x9e3779b97f4a7c15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    key = z ^ (z >> 31);
  }
  return keys;
}

}  // namespace

const std::array<AnagramKeys::Key, 26> AnagramKeys::kLetterKeys = MakeLetterKeys();

AnagramKeys AnagramKeys::Of(const WordList& words, int shortest) {
  AnagramKeys result;
  result.bits_.assign(std::size_t{1} << (kBitsLog2 - 6), 0);
  // Depth first through the tree, the key of the letters so far beside each node.
  std::vector<std::pair<const TrieNode*, std::pair<Key, int>>> stack;
  stack.push_back({&words.Root(), {Key{0}, 0}});
  while (!stack.empty()) {
    const auto [node, at] = stack.back();
    stack.pop_back();
    const auto [key, depth] = at;
    if (depth >= shortest && node->IsTerminal()) {
      const Probes probes(key);
      for (int i = 0; i < kProbes; ++i) {
        const std::uint32_t bit = probes.Bit(i);
        result.bits_[bit >> 6] |= std::uint64_t{1} << (bit & 63);
      }
    }
    for (int i = 0; i < node->ChildCount(); ++i) {
      const TrieNode& child = node->Child(i);
      const char letter = child.Letter();
      if (letter < 'A' || letter > 'Z') continue;
      stack.push_back({&child, {key + KeyOf(letter - 'A'), depth + 1}});
    }
  }
  return result;
}

}  // namespace lumiquad
