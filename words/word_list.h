#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "words/gaddag.h"

namespace lumiquad {

class Gaddag;
class AnagramKeys;

// One node of a letter tree. All nodes of a tree live in one array and the children of a node
// lie side by side in it, in the order they were first added, so the move search reads a
// child, its letter and its terminal flag with no pointer chase: a node is 12 bytes.
class TrieNode {
 public:
  char Letter() const { return letter_; }
  bool IsTerminal() const { return (bits_ & kTerminal) != 0; }
  int ChildCount() const { return count_; }
  // Child by index, 0 to ChildCount() - 1.
  const TrieNode& Child(int index) const { return this[offset_ + index]; }
  // Index of the child that carries `letter`, or -1.
  int FindChild(char letter) const;
  // The letters 'A' to 'Z' among the children, as bits (A lowest): lets the search see at once
  // whether any child can be played.
  std::uint32_t ChildLetters() const { return childLetters_; }

 private:
  friend class WordList;
  static constexpr std::uint8_t kTerminal = 0x80;
  // log2 of the room in the children block, plus 1; 0: no spare room at all.
  static constexpr std::uint8_t kCapacityBits = 0x0f;

  int Capacity() const {
    const int bits = bits_ & kCapacityBits;
    return bits == 0 ? 0 : 1 << (bits - 1);
  }

  std::int32_t offset_ = 0;  // from this node to its first child, counted in nodes
  std::uint32_t childLetters_ = 0;
  std::uint16_t count_ = 0;
  char letter_ = 0;
  std::uint8_t bits_ = 0;

  friend bool operator==(const TrieNode&, const TrieNode&) = default;
};

static_assert(sizeof(TrieNode) == 12);

// A word list held as a letter tree: exact lookups for the rules, prefix walks for the search.
// Words are kept byte for byte as added; no case folding. Adding a word may move the nodes, so
// references to them last only until the next AddWord.
class WordList {
 public:
  WordList();

  // Inserts a word; the empty string adds nothing.
  void AddWord(std::string_view word);
  // True when the word was added. The comparison is byte for byte and case-sensitive.
  bool ContainsWord(std::string_view word) const;
  // The node reached by following the letters from the root, or null when a letter has no
  // child; the empty sequence yields the root.
  const TrieNode* FindPrefix(std::string_view letters) const;

  const TrieNode& Root() const { return nodes_.front(); }
  bool IsEmpty() const { return Root().ChildCount() == 0; }
  // Lays the nodes out afresh, breadth first and without spare room; the words are unchanged.
  void Compact();
  // True when every node's children stand in alphabetical order, as a sorted file gives them
  // (known after Compact): the tree's order of words is then the alphabet's.
  bool ChildrenAlphabetical() const { return alphabetical_; }

  // The list as a GADDAG for the move search: the one attached, else built on first use. Null
  // when the list is too large for one. Adding a word drops it.
  const Gaddag* SearchGaddag() const;
  void AttachGaddag(std::shared_ptr<const Gaddag> gaddag) { gaddag_ = std::move(gaddag); }
  // Which sets of seven letters or more make a word (see AnagramKeys), made on first use.
  // Adding a word drops them.
  const AnagramKeys& LongAnagrams() const;
  // Makes both of the search's tables now: threads that share the list then only read it.
  void MakeSearchTables() const {
    SearchGaddag();
    LongAnagrams();
  }
  // Nodes in the array, spare room included.
  std::size_t NodeCount() const { return nodes_.size(); }

  // The list of words given in byte order (repeats allowed), laid out as Compact lays it.
  static WordList FromSortedWords(const std::vector<std::string_view>& words);

  // The same tree, laid out the same way.
  friend bool operator==(const WordList& a, const WordList& b) {
    return a.nodes_ == b.nodes_ && a.alphabetical_ == b.alphabetical_;
  }

 private:
  // Appends a child with `letter` to the node at `parent` and returns its index.
  int AddChild(int parent, char letter);

  std::vector<TrieNode> nodes_;
  // The word added last and the nodes of its letters, the root first.
  std::string lastWord_;
  std::vector<int> lastPath_{0};
  bool alphabetical_ = true;
  mutable std::shared_ptr<const Gaddag> gaddag_;
  mutable bool gaddagTried_ = false;
  mutable std::shared_ptr<const AnagramKeys> anagrams_;
};

// No move can form a word longer than the board, so longer runs of letters in a word list file
// are skipped at load.
inline constexpr std::size_t kLongestWord = 15;

// The largest word list read: a larger file (or anything but a regular file: a FIFO, a device)
// is treated as one that cannot be opened, so that loading one never hangs.
inline constexpr std::size_t kMaxWordListFile = std::size_t{64} << 20;

// Reads a word list: every maximal run of the letters A-Z and a-z is one word, any other byte
// separates words. A file that cannot be read gives an empty list and the line
// "Error opening file: <path>" on standard output.
WordList LoadWordList(const std::string& path);

// True when `path` names a regular file of at most kMaxWordListFile bytes that can be opened
// for reading.
bool CanReadFile(const std::string& path);

// The main word list: LoadWordList, with its GADDAG taken from beside the list (installed with
// it) or from the cache in $XDG_CACHE_HOME/Lumiquad (made and kept there the first time), so
// that a list is only ever turned into one once. A build is told to `progress`, which may stop
// it: the list then comes without a GADDAG and `stopped` is set.
WordList LoadMainWordList(const std::string& path, const BuildProgress& progress = {},
                          bool* stopped = nullptr);

}  // namespace lumiquad
