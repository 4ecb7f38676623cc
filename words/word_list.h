#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumiquad {

// One node of a letter tree. Its children are held by value in the order they were first
// added, so the move search reads a child, its letter and its terminal flag without any
// pointer chase beyond the children block.
class TrieNode {
 public:
  explicit TrieNode(char letter = 0) : letter_(letter) {}
  // Frees the subtree without recursion, so a very deep chain cannot exhaust the stack.
  ~TrieNode();
  TrieNode(TrieNode&&) noexcept = default;
  TrieNode& operator=(TrieNode&&) noexcept;
  TrieNode(const TrieNode&) = delete;
  TrieNode& operator=(const TrieNode&) = delete;

  char Letter() const { return letter_; }
  bool IsTerminal() const { return terminal_; }
  void SetTerminal() { terminal_ = true; }
  int ChildCount() const { return static_cast<int>(children_.size()); }
  // Child by index, 0 to ChildCount() - 1.
  const TrieNode& Child(int index) const { return children_[static_cast<std::size_t>(index)]; }
  TrieNode& Child(int index) { return children_[static_cast<std::size_t>(index)]; }
  // Index of the child that carries `letter`, or -1.
  int FindChild(char letter) const;
  // Appends a child and returns its index. References to earlier children may be invalidated.
  int AddChild(TrieNode node);

  // Releases spare capacity in the whole subtree once it is complete.
  void Compact();

 private:
  std::vector<TrieNode> children_;
  char letter_ = 0;
  bool terminal_ = false;
};

// A word list held as a letter tree: exact lookups for the rules, prefix walks for the search.
// Words are kept byte for byte as added; no case folding.
class WordList {
 public:
  // Inserts a word; the empty string adds nothing.
  void AddWord(std::string_view word);
  // True when the word was added. The comparison is byte for byte and case-sensitive.
  bool ContainsWord(std::string_view word) const;
  // The node reached by following the letters from the root, or null when a letter has no
  // child; the empty sequence yields the root.
  const TrieNode* FindPrefix(std::string_view letters) const;

  const TrieNode& Root() const { return root_; }
  bool IsEmpty() const { return root_.ChildCount() == 0; }
  void Compact() { root_.Compact(); }

 private:
  TrieNode root_;
};

// No move can form a word longer than the board, so longer runs of letters in a word list file
// are skipped at load.
inline constexpr std::size_t kLongestWord = 15;

// Reads a word list: every maximal run of the letters A-Z and a-z is one word, any other byte
// separates words. A file that cannot be opened gives an empty list and the line
// "Error opening file: <path>" on standard output.
WordList LoadWordList(const std::string& path);

// True when `path` names a regular file that can be opened for reading.
bool CanReadFile(const std::string& path);

}  // namespace lumiquad
