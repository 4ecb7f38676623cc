#pragma once

// The move search written the plain way, step for step: string copies of the rack passed down,
// no cross-check sets, and every complete word evaluated in full. Slow, and the yardstick the
// real search's whole ordered list is held to.

#include <string>
#include <vector>

#include "model/board.h"
#include "rules/evaluate_placement.h"
#include "words/word_list.h"

namespace lumiquad::test {

class ReferenceSearch {
 public:
  ReferenceSearch(Board& board, int bonus) : board_(board), bonus_(bonus) {}

  std::vector<Move> Run(const std::string& rack) {
    out_.clear();
    if (rack.empty() || board_.DictionaryRef() == nullptr) return out_;
    for (int r = 0; r < kBoardSize; ++r) Line(rack, r, -1);
    for (int c = 0; c < kBoardSize; ++c) Line(rack, -1, c);
    return out_;
  }

 private:
  int R(int i) const { return direction_ == 0 ? row_ : i; }
  int C(int i) const { return direction_ == 0 ? i : column_; }
  const Square& At(int i) const { return board_.Cell(R(i), C(i)); }

  void Line(const std::string& rack, int row, int column) {
    direction_ = column == -1 ? 0 : 1;
    row_ = row;
    column_ = column;
    int marked = 0;
    for (int i = 0; i < kBoardSize; ++i) {
      if (At(i).HasTile()) continue;
      if (At(i).anchor || board_.HasNeighbour(R(i), C(i), 0) ||
          board_.HasNeighbour(R(i), C(i), 1)) {
        board_.SquareAt(R(i), C(i))->anchor = 1;
        ++marked;
      }
    }
    if (marked == 0) return;
    int previous = -1;
    for (int i = 0; i < kBoardSize; ++i) {
      if (!At(i).anchor) continue;
      const int leftLimit = previous == -1 ? i : i - previous - 1;
      anchor_ = i;
      std::string prefix;
      for (int p = i - 1; p >= 0 && At(p).HasTile(); --p)
        prefix.insert(prefix.begin(), At(p).character);
      if (!prefix.empty()) {
        if (const TrieNode* node = board_.DictionaryRef()->FindPrefix(prefix)) {
          ExtendLeft(prefix, *node, leftLimit, rack, -1, -1, true);
        }
      } else {
        ExtendLeft("", board_.DictionaryRef()->Root(), leftLimit, rack, -1, -1, false);
      }
      previous = i;
    }
    for (int r = 0; r < kBoardSize; ++r) {
      for (int c = 0; c < kBoardSize; ++c) {
        if (board_.Cell(r, c).anchor) board_.SquareAt(r, c)->anchor = 0;
      }
    }
  }

  static void UseBlank(int& b1, int& b2, int position) {
    if (b1 != -1 && b2 == -1) {
      b2 = position;
    } else {
      b1 = position;
    }
  }

  void ExtendLeft(std::string partial, const TrieNode& node, int leftLimit, std::string rack,
                  int b1, int b2, bool fixed) {
    ExtendRight(partial, node, anchor_, rack, b1, b2);
    if (leftLimit <= 0 || fixed) return;
    for (int n = 0; n < node.ChildCount(); ++n) {
      const TrieNode& child = node.Child(n);
      const char letter = child.Letter();
      if (letter < 'A' || letter > 'Z') continue;
      if (std::size_t at = rack.find(letter); at != std::string::npos) {
        rack.erase(at, 1);
        ExtendLeft(partial + letter, child, leftLimit - 1, rack, b1, b2, false);
        rack += letter;
      }
      if (std::size_t at = rack.find('?'); at != std::string::npos) {
        rack.erase(at, 1);
        int c1 = b1, c2 = b2;
        UseBlank(c1, c2, static_cast<int>(partial.size()));
        ExtendLeft(partial + letter, child, leftLimit - 1, rack, c1, c2, false);
        rack += '?';
      }
    }
  }

  void ExtendRight(std::string partial, const TrieNode& node, int position, std::string rack,
                   int b1, int b2) {
    if (position >= kBoardSize) {
      if (node.IsTerminal()) Record(partial, position, rack, b1, b2);
      return;
    }
    if (At(position).HasTile()) {
      const int child = node.FindChild(At(position).character);
      if (child >= 0) {
        ExtendRight(partial + At(position).character, node.Child(child), position + 1, rack, b1,
                    b2);
      }
      return;
    }
    if (node.IsTerminal()) Record(partial, position, rack, b1, b2);
    if (rack.empty()) return;
    for (int n = 0; n < node.ChildCount(); ++n) {
      const TrieNode& child = node.Child(n);
      const char letter = child.Letter();
      if (letter < 'A' || letter > 'Z') continue;
      if (std::size_t at = rack.find(letter); at != std::string::npos) {
        rack.erase(at, 1);
        ExtendRight(partial + letter, child, position + 1, rack, b1, b2);
        rack += letter;
      }
      if (std::size_t at = rack.find('?'); at != std::string::npos) {
        rack.erase(at, 1);
        int c1 = b1, c2 = b2;
        UseBlank(c1, c2, static_cast<int>(partial.size()));
        ExtendRight(partial + letter, child, position + 1, rack, c1, c2);
        rack += '?';
      }
    }
  }

  void Record(const std::string& word, int end, const std::string& rackLeft, int b1, int b2) {
    if (end <= anchor_) return;
    const int start = end - static_cast<int>(word.size());
    Placement placement{"", R(start), C(start), direction_, -1, -1};
    for (int p = start; p < end; ++p) {
      if (At(p).HasTile()) continue;
      const int index = p - start;
      if (b1 == index) placement.blank1 = static_cast<int>(placement.letters.size());
      if (b2 == index) placement.blank2 = static_cast<int>(placement.letters.size());
      placement.letters += word[static_cast<std::size_t>(index)];
    }
    if (placement.letters.empty()) return;
    Move move = EvaluatePlacement(board_, placement, placement.letters + rackLeft,
                                  {.checkWords = true, .trial = true, .bonus = bonus_});
    if (move.invalid || move.mainWord.empty()) return;
    if (!board_.IsConnected(placement.row, placement.column, direction_,
                            static_cast<int>(word.size()))) {
      return;
    }
    out_.push_back(std::move(move));
  }

  Board& board_;
  const int bonus_;
  std::vector<Move> out_;
  int direction_ = 0;
  int row_ = -1;
  int column_ = -1;
  int anchor_ = 0;
};

}  // namespace lumiquad::test
