#include "words/anagram_keys.h"

#include <algorithm>
#include <string>
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
  // Depth first through the tree, the letters so far and their key.
  struct Found {
    std::uint32_t bucket;
    std::uint32_t at;  // in `letters`
  };
  std::vector<Found> found;
  std::vector<char> letters;
  std::string path;
  std::vector<Key> keys{0};
  std::vector<std::uint64_t> filter(std::size_t{1} << kFilterBits, 0);
  auto visit = [&](auto&& self, const TrieNode& node) -> void {
    const Key key = keys.back();
    if (static_cast<int>(path.size()) >= shortest && node.IsTerminal()) {
      filter[FilterWord(key)] |= FilterMask(key);
      found.push_back({static_cast<std::uint32_t>(key >> (64 - kBucketBits)),
                       static_cast<std::uint32_t>(letters.size())});
      letters.push_back(static_cast<char>(path.size()));
      letters.push_back(static_cast<char>(key >> (56 - kBucketBits)));
      letters.insert(letters.end(), path.begin(), path.end());
    }
    for (int i = 0; i < node.ChildCount(); ++i) {
      const TrieNode& child = node.Child(i);
      const char letter = child.Letter();
      if (letter < 'A' || letter > 'Z') continue;
      path.push_back(static_cast<char>(letter - 'A'));
      keys.push_back(key + KeyOf(letter - 'A'));
      self(self, child);
      keys.pop_back();
      path.pop_back();
    }
  };
  visit(visit, words.Root());
  // Laid out bucket by bucket.
  AnagramKeys result;
  result.filter_ = std::move(filter);
  result.starts_.assign((std::size_t{1} << kBucketBits) + 1, 0);
  for (const Found& word : found) result.starts_[word.bucket + 1] += 2u + letters[word.at];
  for (std::size_t i = 1; i < result.starts_.size(); ++i)
    result.starts_[i] += result.starts_[i - 1];
  result.words_.resize(letters.size());
  std::vector<std::uint32_t> next(result.starts_.begin(), result.starts_.end() - 1);
  for (const Found& word : found) {
    const auto size = static_cast<std::size_t>(2 + letters[word.at]);
    std::copy_n(letters.begin() + word.at, size, result.words_.begin() + next[word.bucket]);
    next[word.bucket] += static_cast<std::uint32_t>(size);
  }
  return result;
}

}  // namespace lumiquad
