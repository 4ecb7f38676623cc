#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace lumiquad {

class WordList;

// Which sets of letters can be arranged into a word of a list: each set has a key, the sum of a
// fixed random number per letter, and one bit per key is set for the list's words. Other sets
// may share a bit, so "may form a word" can be wrong, but "cannot" never is.
class AnagramKeys {
 public:
  AnagramKeys() = default;
  // The keys of the words of `shortest` letters or more; only 'A' to 'Z' words count.
  static AnagramKeys Of(const WordList& words, int shortest);

  static std::uint32_t KeyOf(int letter) { return kLetterKeys[static_cast<std::size_t>(letter)]; }
  bool MayFormWord(std::uint32_t key) const {
    if (bits_.empty()) return false;
    const std::uint32_t bit = key >> (32 - kBitsLog2);
    return (bits_[bit >> 6] >> (bit & 63) & 1) != 0;
  }

 private:
  // A mebibyte of bits: about one in fifty is set for the game's own list.
  static constexpr int kBitsLog2 = 23;
  static const std::array<std::uint32_t, 26> kLetterKeys;
  std::vector<std::uint64_t> bits_;
};

}  // namespace lumiquad
