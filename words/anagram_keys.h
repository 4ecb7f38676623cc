#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lumiquad {

class WordList;

// The words of a list by their letters: each set of letters has a key, the sum of a fixed random
// number per letter, and the words are kept in buckets picked by their key, so the words a set of
// letters makes are found at once (a rack with blanks tries hundreds of sets).
class AnagramKeys {
 public:
  using Key = std::uint64_t;

  AnagramKeys() = default;
  // The words of `shortest` letters or more; only 'A' to 'Z' words count.
  static AnagramKeys Of(const WordList& words, int shortest);

  static Key KeyOf(int letter) { return kLetterKeys[static_cast<std::size_t>(letter)]; }

  // Calls `each(letters, a, b)` for the letters of `key` and up to two blanks standing for each
  // letter, or pair of letters, in turn (`a` and `b` those letters, -1 for no blank), until it
  // answers true; answers whether it did.
  template <typename Each>
  static bool ForEachBlanking(Key key, int blanks, Each&& each) {
    if (blanks <= 0) return each(key, -1, -1);
    for (int a = 0; a < 26; ++a) {
      if (blanks == 1) {
        if (each(key + KeyOf(a), a, -1)) return true;
        continue;
      }
      for (int b = a; b < 26; ++b) {
        if (each(key + KeyOf(a) + KeyOf(b), a, b)) return true;
      }
    }
    return false;
  }

  // Whether the letters of `key` make a word.
  bool FormsWord(Key key) const {
    bool found = false;
    ForEachWord(key, [&](std::string_view) { found = true; });
    return found;
  }

  // Calls `found` with every word the letters of `key` make, as letters 0 to 25.
  template <typename Found>
  void ForEachWord(Key key, Found&& found) const {
    if (starts_.empty() || !MayBeKept(key)) return;
    const std::size_t bucket = key >> (64 - kBucketBits);
    const auto tag = static_cast<char>(key >> (56 - kBucketBits));
    const char* at = words_.data() + starts_[bucket];
    const char* const end = words_.data() + starts_[bucket + 1];
    while (at != end) {
      const auto length = static_cast<std::size_t>(at[0]);
      if (at[1] == tag) {
        const std::string_view word(at + 2, length);
        Key sum = 0;
        for (char letter : word) sum += KeyOf(letter);
        if (sum == key) found(word);
      }
      at += 2 + length;
    }
  }

 private:
  // A quarter of a mebibyte of bits that rules out most sets no word is made of before the
  // words are read: three bits of one 64-bit word, picked by the key's middle bits.
  static constexpr int kFilterBits = 15;  // log2 of the words
  static std::uint64_t FilterMask(Key key) {
    return std::uint64_t{1} << (key >> 8 & 63) | std::uint64_t{1} << (key >> 14 & 63) |
           std::uint64_t{1} << (key >> 20 & 63);
  }
  static std::size_t FilterWord(Key key) {
    return key >> 26 & ((std::size_t{1} << kFilterBits) - 1);
  }
  bool MayBeKept(Key key) const {
    const std::uint64_t mask = FilterMask(key);
    return (filter_[FilterWord(key)] & mask) == mask;
  }

  static constexpr int kBucketBits = 16;
  static const std::array<Key, 26> kLetterKeys;
  // The buckets in turn, each word its length, a byte more of its key, then its letters.
  std::vector<std::uint32_t> starts_;
  std::vector<char> words_;
  std::vector<std::uint64_t> filter_;
};

}  // namespace lumiquad
