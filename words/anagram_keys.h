#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace lumiquad {

class WordList;

// Which sets of letters can be arranged into a word of a list: each set has a key, the sum of a
// fixed random number per letter, and a few bits picked by the key are set for the list's words.
// Another set finds all its bits set only a few times in a million, so "may form a word" is
// seldom wrong, and "cannot" never is: a rack with blanks tries hundreds of sets.
class AnagramKeys {
 public:
  using Key = std::uint64_t;

  AnagramKeys() = default;
  // The keys of the words of `shortest` letters or more; only 'A' to 'Z' words count.
  static AnagramKeys Of(const WordList& words, int shortest);

  static Key KeyOf(int letter) { return kLetterKeys[static_cast<std::size_t>(letter)]; }
  bool MayFormWord(Key key) const {
    if (bits_.empty()) return false;
    const Probes probes(key);
    for (int i = 0; i < kProbes; ++i) {
      const std::uint32_t bit = probes.Bit(i);
      if ((bits_[bit >> 6] >> (bit & 63) & 1) == 0) return false;
    }
    return true;
  }

 private:
  // A mebibyte of bits: with the game's own list about one in eight is set.
  static constexpr int kBitsLog2 = 23;
  static constexpr int kProbes = 6;
  // The bits of a key: two hashes of it, combined.
  struct Probes {
    explicit Probes(Key key) {
      key ^= key >> 33;
      key *= 0xff51afd7ed558ccdull;
      key ^= key >> 33;
      key *= 0xc4ceb9fe1a85ec53ull;
      key ^= key >> 33;
      first = static_cast<std::uint32_t>(key >> 32);
      step = static_cast<std::uint32_t>(key) | 1u;
    }
    std::uint32_t Bit(int i) const {
      return (first + static_cast<std::uint32_t>(i) * step) >> (32 - kBitsLog2);
    }
    std::uint32_t first;
    std::uint32_t step;
  };
  static const std::array<Key, 26> kLetterKeys;
  std::vector<std::uint64_t> bits_;
};

}  // namespace lumiquad
