#include "words/word_list.h"

#include <algorithm>
#include <cstdio>

#include "settings/file_io.h"
#include "settings/program_paths.h"
#include "words/anagram_keys.h"
#include "words/gaddag_file.h"

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
  if (node.count_ > 0 && node.Child(node.count_ - 1).letter_ >= letter) alphabetical_ = false;
  const int index = parent + node.offset_ + node.count_++;
  TrieNode& child = nodes_[static_cast<std::size_t>(index)];
  child = TrieNode();
  child.letter_ = letter;
  return index;
}

void WordList::AddWord(std::string_view word) {
  if (word.empty()) return;
  gaddag_.reset();
  gaddagTried_ = false;
  anagrams_.reset();
  // A list read from a sorted file adds each word next to the one before: the nodes of the
  // letters they share are where that word left them, as a node only moves when its parent
  // gains a child, and that parent is then on the new word's own way.
  std::size_t shared = 0;
  while (shared < word.size() && shared < lastWord_.size() && word[shared] == lastWord_[shared]) {
    ++shared;
  }
  lastPath_.resize(shared + 1);
  int node = lastPath_[shared];
  for (std::size_t i = shared; i < word.size(); ++i) {
    const TrieNode& current = nodes_[static_cast<std::size_t>(node)];
    const int index = current.FindChild(word[i]);
    node = index >= 0 ? node + current.offset_ + index : AddChild(node, word[i]);
    lastPath_.push_back(node);
  }
  lastWord_.assign(word);
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
  lastWord_.clear();
  lastPath_.assign(1, 0);
  alphabetical_ = true;
  for (const TrieNode& node : nodes_) {
    for (int i = 1; i < node.ChildCount() && alphabetical_; ++i) {
      alphabetical_ = node.Child(i - 1).Letter() < node.Child(i).Letter();
    }
  }
}

WordList WordList::FromSortedWords(const std::vector<std::string_view>& words) {
  // Breadth first, as Compact lays a tree out: the words under a node share its letters and
  // stand in a row, and its children are the distinct letters that follow, in order.
  struct Under {
    std::uint32_t begin;
    std::uint32_t end;
    std::uint32_t depth;
  };
  // A node for every distinct prefix, the empty one the root: in sorted order each word adds
  // those it does not share with the word before. Counted first, the arrays are made at their
  // size once, never grown or copied.
  std::size_t nodes = 1;
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::size_t shared = 0;
    if (i > 0) {
      const std::string_view before = words[i - 1];
      while (shared < before.size() && shared < words[i].size() &&
             before[shared] == words[i][shared]) {
        ++shared;
      }
    }
    nodes += words[i].size() - shared;
  }
  WordList list;
  list.nodes_.reserve(nodes);
  std::vector<Under> under{{0, static_cast<std::uint32_t>(words.size()), 0}};
  under.reserve(nodes);
  for (std::size_t next = 0; next < list.nodes_.size(); ++next) {
    const auto [begin, end, depth] = under[next];
    std::uint32_t i = begin;
    // The words that end here come first.
    for (; i < end && words[i].size() == depth; ++i) {
      if (depth > 0) list.nodes_[next].bits_ |= TrieNode::kTerminal;
    }
    const std::size_t first = list.nodes_.size();
    while (i < end) {
      const char letter = words[i][depth];
      std::uint32_t j = i + 1;
      while (j < end && words[j][depth] == letter) ++j;
      TrieNode child;
      child.letter_ = letter;
      list.nodes_.push_back(child);
      under.push_back({i, j, depth + 1});
      TrieNode& node = list.nodes_[next];
      if (letter >= 'A' && letter <= 'Z') node.childLetters_ |= 1u << (letter - 'A');
      ++node.count_;
      i = j;
    }
    if (list.nodes_.size() > first) {
      list.nodes_[next].offset_ = static_cast<std::int32_t>(first - next);
    }
  }
  list.nodes_.shrink_to_fit();
  return list;
}

const Gaddag* WordList::SearchGaddag() const {
  if (!gaddag_ && !gaddagTried_) {
    gaddagTried_ = true;
    if (std::optional<Gaddag> built = Gaddag::Build(*this)) {
      gaddag_ = std::make_shared<const Gaddag>(std::move(*built));
    }
  }
  return gaddag_.get();
}

const AnagramKeys& WordList::LongAnagrams() const {
  if (!anagrams_) anagrams_ = std::make_shared<const AnagramKeys>(AnagramKeys::Of(*this, 7));
  return *anagrams_;
}

namespace {

// The words of a list file's text (see LoadWordList).
WordList WordListOfText(std::string_view text) {
  std::vector<std::string_view> words;
  // A word a line as lists come: room made once instead of grown and copied.
  words.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  bool sorted = true;
  for (std::size_t at = 0; at < text.size();) {
    if (!IsAsciiLetter(text[at])) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < text.size() && IsAsciiLetter(text[end])) ++end;
    if (end - at <= kLongestWord) {
      const std::string_view word = text.substr(at, end - at);
      sorted = sorted && (words.empty() || words.back() <= word);
      words.push_back(word);
    }
    at = end;
  }
  // A sorted file, as word lists come, is laid out in one pass.
  if (sorted) return WordList::FromSortedWords(words);
  WordList list;
  for (std::string_view word : words) list.AddWord(word);
  list.Compact();
  return list;
}

FileReadResult ReadWordListFile(const std::string& path) {
  FileReadResult file = ReadFileLimited(path, kMaxWordListFile);
  if (file.status != FileReadStatus::Ok) {
    std::printf("Error opening file: %s\n", path.c_str());
    std::fflush(stdout);
  }
  return file;
}

}  // namespace

WordList LoadWordList(const std::string& path) {
  const FileReadResult file = ReadWordListFile(path);
  if (file.status != FileReadStatus::Ok) return WordList();
  return WordListOfText(file.contents);
}

WordList LoadMainWordList(const std::string& path, const BuildProgress& progress, bool* stopped) {
  const FileReadResult file = ReadWordListFile(path);
  if (file.status != FileReadStatus::Ok) return WordList();
  WordList list = WordListOfText(file.contents);
  bool asked = false;
  const BuildProgress told = [&](int percent) {
    asked = progress && !progress(percent);
    return !asked;
  };
  if (std::optional<Gaddag> gaddag =
          CachedGaddag(list, path, file.contents, UserFolder(UserFolderKind::Cache), told)) {
    list.AttachGaddag(std::make_shared<const Gaddag>(std::move(*gaddag)));
  }
  if (stopped != nullptr) *stopped = asked;
  return list;
}

bool CanReadFile(const std::string& path) {
  return CheckReadableFile(path, kMaxWordListFile) == FileReadStatus::Ok;
}

}  // namespace lumiquad
