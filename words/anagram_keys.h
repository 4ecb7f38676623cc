#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace lumiquad {

class WordList;

// Which sets of letters can be arranged into a word of a list: each set has a key, the sum of a
// fixed random number per letter, and the keys of the list's words are kept sorted. Two sets may
// share a key, so "may form a word" can be wrong, but "cannot" never is.
class AnagramKeys {
 public:
  AnagramKeys() = default;
  // The keys of the words of `shortest` letters or more; only 'A' to 'Z' words count.
  static AnagramKeys Of(const WordList& words, int shortest);

  static std::uint32_t KeyOf(int letter) { return kLetterKeys[static_cast<std::size_t>(letter)]; }
  bool MayFormWord(std::uint32_t key) const;
  std::size_t Size() const { return keys_.size(); }

 private:
  static const std::array<std::uint32_t, 26> kLetterKeys;
  std::vector<std::uint32_t> keys_;
};

}  // namespace lumiquad
