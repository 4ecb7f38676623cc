#include "words/word_list.h"

#include <cstdio>

#include "settings/file_io.h"

namespace lumiquad {

namespace {

// The "C" locale's alphabetic test, whatever locale the desktop has set.
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

int TrieNode::FindChild(char letter) const {
  const TrieNode* children = this + offset_;
  for (int i = 0; i < count_; ++i) {
    if (children[i].letter_ == letter) return i;
  }
  return -1;
}

WordList::WordList() : nodes_(1) {}

int WordList::AddChild(int parent, char letter) {
  if (nodes_[static_cast<std::size_t>(parent)].count_ >=
      nodes_[static_cast<std::size_t>(parent)].Capacity()) {
    // Out of room: the children move to a block of the next power of two at the end of the
    // array. The old block is left unused until the next Compact.
    const TrieNode& full = nodes_[static_cast<std::size_t>(parent)];
    const int count = full.count_;
    int capacityBits = 1;
    while ((1 << (capacityBits - 1)) < count + 1) ++capacityBits;
    const int oldStart = parent + full.offset_;
    const int newStart = static_cast<int>(nodes_.size());
    nodes_.resize(nodes_.size() + (std::size_t{1} << (capacityBits - 1)));
    for (int i = 0; i < count; ++i) {
      TrieNode& moved = nodes_[static_cast<std::size_t>(newStart + i)];
      moved = nodes_[static_cast<std::size_t>(oldStart + i)];
      moved.offset_ += oldStart - newStart;
    }
    TrieNode& grown = nodes_[static_cast<std::size_t>(parent)];
    grown.offset_ = newStart - parent;
    grown.bits_ = static_cast<std::uint8_t>((grown.bits_ & TrieNode::kTerminal) | capacityBits);
  }
  TrieNode& node = nodes_[static_cast<std::size_t>(parent)];
  if (letter >= 'A' && letter <= 'Z') node.childLetters_ |= 1u << (letter - 'A');
  const int index = parent + node.offset_ + node.count_++;
  TrieNode& child = nodes_[static_cast<std::size_t>(index)];
  child = TrieNode();
  child.letter_ = letter;
  return index;
}

void WordList::AddWord(std::string_view word) {
  if (word.empty()) return;
  int node = 0;
  for (char letter : word) {
    const TrieNode& current = nodes_[static_cast<std::size_t>(node)];
    const int index = current.FindChild(letter);
    node = index >= 0 ? node + current.offset_ + index : AddChild(node, letter);
  }
  nodes_[static_cast<std::size_t>(node)].bits_ |= TrieNode::kTerminal;
}

bool WordList::ContainsWord(std::string_view word) const {
  if (word.empty()) return false;
  const TrieNode* node = FindPrefix(word);
  return node != nullptr && node->IsTerminal();
}

const TrieNode* WordList::FindPrefix(std::string_view letters) const {
  const TrieNode* node = &Root();
  for (char letter : letters) {
    const int index = node->FindChild(letter);
    if (index < 0) return nullptr;
    node = &node->Child(index);
  }
  return node;
}

void WordList::Compact() {
  // Breadth first: each node's children are written as one block as the node is reached.
  std::vector<TrieNode> packed;
  std::vector<int> source{0};  // for each packed node, where it came from
  packed.push_back(nodes_.front());
  for (std::size_t next = 0; next < packed.size(); ++next) {
    const int from = source[next];
    const TrieNode& old = nodes_[static_cast<std::size_t>(from)];
    TrieNode& node = packed[next];
    const int start = static_cast<int>(packed.size());
    const int count = old.count_;
    node.offset_ = count == 0 ? 0 : start - static_cast<int>(next);
    // No spare room: the next child added moves the block.
    node.bits_ = static_cast<std::uint8_t>(old.bits_ & TrieNode::kTerminal);
    for (int i = 0; i < count; ++i) {
      const int child = from + old.offset_ + i;
      packed.push_back(nodes_[static_cast<std::size_t>(child)]);
      source.push_back(child);
    }
  }
  packed.shrink_to_fit();
  nodes_ = std::move(packed);
}

WordList LoadWordList(const std::string& path) {
  WordList list;
  const FileReadResult file = ReadFileLimited(path, kMaxWordListFile);
  if (file.status != FileReadStatus::Ok) {
    std::printf("Error opening file: %s\n", path.c_str());
    std::fflush(stdout);
    return list;
  }
  std::string word;
  bool tooLong = false;
  auto finishWord = [&] {
    if (!tooLong) list.AddWord(word);
    word.clear();
    tooLong = false;
  };
  for (char c : file.contents) {
    if (!IsAsciiLetter(c)) {
      finishWord();
    } else if (word.size() < kLongestWord) {
      word += c;
    } else {
      tooLong = true;
    }
  }
  finishWord();
  list.Compact();
  return list;
}

bool CanReadFile(const std::string& path) {
  return CheckReadableFile(path, kMaxWordListFile) == FileReadStatus::Ok;
}

}  // namespace lumiquad
