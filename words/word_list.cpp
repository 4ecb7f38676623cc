#include "words/word_list.h"

#include <cstdio>

namespace lumiquad {

namespace {

// The "C" locale's alphabetic test, whatever locale the desktop has set.
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

TrieNode::~TrieNode() {
  if (children_.empty()) return;
  std::vector<TrieNode> pending = std::move(children_);
  while (!pending.empty()) {
    TrieNode node = std::move(pending.back());
    pending.pop_back();
    for (TrieNode& child : node.children_) pending.push_back(std::move(child));
    node.children_.clear();
  }
}

TrieNode& TrieNode::operator=(TrieNode&& other) noexcept {
  if (this != &other) {
    TrieNode discarded = std::move(*this);
    children_ = std::move(other.children_);
    letter_ = other.letter_;
    terminal_ = other.terminal_;
  }
  return *this;
}

int TrieNode::FindChild(char letter) const {
  const std::size_t count = children_.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (children_[i].letter_ == letter) return static_cast<int>(i);
  }
  return -1;
}

int TrieNode::AddChild(TrieNode node) {
  children_.push_back(std::move(node));
  return static_cast<int>(children_.size()) - 1;
}

void TrieNode::Compact() {
  std::vector<TrieNode*> pending{this};
  while (!pending.empty()) {
    TrieNode* node = pending.back();
    pending.pop_back();
    node->children_.shrink_to_fit();
    for (TrieNode& child : node->children_) pending.push_back(&child);
  }
}

void WordList::AddWord(std::string_view word) {
  TrieNode* node = &root_;
  for (char letter : word) {
    int index = node->FindChild(letter);
    if (index < 0) index = node->AddChild(TrieNode(letter));
    node = &node->Child(index);
  }
  if (node != &root_) node->SetTerminal();
}

bool WordList::ContainsWord(std::string_view word) const {
  if (word.empty()) return false;
  const TrieNode* node = FindPrefix(word);
  return node != nullptr && node->IsTerminal();
}

const TrieNode* WordList::FindPrefix(std::string_view letters) const {
  const TrieNode* node = &root_;
  for (char letter : letters) {
    int index = node->FindChild(letter);
    if (index < 0) return nullptr;
    node = &node->Child(index);
  }
  return node;
}

WordList LoadWordList(const std::string& path) {
  WordList list;
  std::FILE* file = CanReadFile(path) ? std::fopen(path.c_str(), "rb") : nullptr;
  if (file == nullptr) {
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
  char buffer[1 << 16];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
    for (std::size_t i = 0; i < got; ++i) {
      char c = buffer[i];
      if (!IsAsciiLetter(c)) {
        finishWord();
      } else if (word.size() < kLongestWord) {
        word += c;
      } else {
        tooLong = true;
      }
    }
  }
  finishWord();
  std::fclose(file);
  list.Compact();
  return list;
}

bool CanReadFile(const std::string& path) {
  if (path.empty()) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  // A folder opens on Linux but reads nothing; it is no word list.
  char probe;
  bool readable = std::fread(&probe, 1, 1, file) == 1 || std::feof(file);
  std::fclose(file);
  return readable;
}

}  // namespace lumiquad
