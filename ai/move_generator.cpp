#include "ai/move_generator.h"

#include <array>
#include <cstdint>
#include <string>

#include "model/board.h"
#include "rules/scoring.h"
#include "words/word_list.h"

namespace lumiquad {

namespace {

constexpr std::uint32_t kAllLetters = (1u << 26) - 1;

inline bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
inline std::uint32_t Bit(char letter) { return 1u << (letter - 'A'); }

// Up to seven tiles kept without the heap, for the texts a candidate is built from.
struct Tiles {
  std::array<char, 16> tiles{};
  int size = 0;

  int Find(char tile) const {
    for (int i = 0; i < size; ++i) {
      if (tiles[static_cast<std::size_t>(i)] == tile) return i;
    }
    return -1;
  }
  void Append(char tile) { tiles[static_cast<std::size_t>(size++)] = tile; }
  void RemoveAt(int at) {
    for (int i = at; i + 1 < size; ++i) {
      tiles[static_cast<std::size_t>(i)] = tiles[static_cast<std::size_t>(i) + 1];
    }
    --size;
  }
  void AssignTo(std::string& text) const {
    text.assign(tiles.data(), static_cast<std::size_t>(size));
  }
};

// A rack copy of up to seven tiles packed one a byte, first tile lowest, unused bytes zero;
// the search copies it at every step, so it is one machine word.
class RackWord {
 public:
  static constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  static constexpr std::uint64_t kHighs = 0x8080808080808080ull;

  explicit RackWord(std::string_view tiles = {}) {
    for (char tile : tiles.substr(0, 7)) {
      bytes_ |= static_cast<std::uint64_t>(static_cast<unsigned char>(tile)) << (8 * size_++);
    }
  }

  int Size() const { return size_; }
  // The letters 'A' to 'Z' on the rack as bits, and whether a blank is.
  std::uint32_t Letters() const {
    std::uint32_t letters = 0;
    for (int i = 0; i < size_; ++i) {
      const char tile = At(i);
      if (IsUpperLetter(tile)) letters |= Bit(tile);
    }
    return letters;
  }
  char At(int i) const { return static_cast<char>(bytes_ >> (8 * i)); }

  // Index of the first tile equal to `tile`, or -1.
  int Find(char tile) const {
    const std::uint64_t x = bytes_ ^ (kOnes * static_cast<unsigned char>(tile));
    // The lowest byte flagged here is the first zero byte of x, that is the first match.
    const std::uint64_t zeros = (x - kOnes) & ~x & kHighs & Low(size_);
    return zeros == 0 ? -1 : __builtin_ctzll(zeros) / 8;
  }

  // Takes the tile at `at` out and appends it again: what taking a tile out of a rack copy for
  // a branch and putting it back afterwards does to the copy's order.
  void MoveToEnd(int at) {
    const std::uint64_t tile = (bytes_ >> (8 * at)) & 0xff;
    const std::uint64_t below = bytes_ & Low(at);
    const std::uint64_t above = (bytes_ >> (8 * (at + 1))) << (8 * at);
    bytes_ = below | above | (tile << (8 * (size_ - 1)));
  }

  // The copy without its last tile: after MoveToEnd(at), the copy without the tile at `at`.
  RackWord WithoutLast() const {
    RackWord rest = *this;
    --rest.size_;
    rest.bytes_ &= Low(rest.size_);
    return rest;
  }

 private:
  static std::uint64_t Low(int bytes) { return bytes >= 8 ? ~0ull : (1ull << (8 * bytes)) - 1; }

  std::uint64_t bytes_ = 0;
  int size_ = 0;
};

struct BlankIndexes {
  int first = -1;
  int second = -1;

  // A blank just used at word position `position`: it fills the second index when only the
  // first is set, the first otherwise.
  BlankIndexes With(int position) const {
    BlankIndexes next = *this;
    if (first != -1 && second == -1) {
      next.second = position;
    } else {
      next.first = position;
    }
    return next;
  }
};

// One search of one rack: the lines in order, and within each line the words grown from its
// anchors through the letter tree.
class Search {
 public:
  Search(Board& board, std::string_view rack, int bonus, std::vector<Move>& out)
      : board_(board), bonus_(bonus), out_(out), boardEmpty_(board.IsBoardEmpty()) {
    rack_ = RackWord(rack);
    const WordList* words = board.DictionaryRef();
    root_ = words == nullptr ? nullptr : &words->Root();
  }

  bool HasWords() const { return root_ != nullptr; }

  // Searches row `row` across (column -1) or column `column` down (row -1).
  void Line(int row, int column) {
    direction_ = column == -1 ? 0 : 1;
    row_ = row;
    column_ = column;
    if (MarkAnchors() == 0) return;
    ComputeCrossWords();
    int previous = -1;
    for (int i = 0; i < kBoardSize; ++i) {
      if (!At(i).anchor) continue;
      const int leftLimit = previous == -1 ? i : i - previous - 1;
      anchor_ = i;
      board_.searchAnchor = At(i);
      anchorTouchesTile_ = board_.HasNeighbour(RowOf(i), ColumnOf(i), 0) ||
                           board_.HasNeighbour(RowOf(i), ColumnOf(i), 1);
      int prefixStart = i;
      while (prefixStart > 0 && At(prefixStart - 1).HasTile()) --prefixStart;
      if (prefixStart < i) {
        const TrieNode* node = root_;
        for (int p = prefixStart; p < i && node != nullptr; ++p) {
          word_[static_cast<std::size_t>(p - prefixStart)] = At(p).character;
          const int child = node->FindChild(At(p).character);
          node = child < 0 ? nullptr : &node->Child(child);
        }
        // Tiles before the anchor that start no word leave it nothing to find.
        if (node != nullptr) ExtendRight(i - prefixStart, *node, i, rack_, {});
      } else {
        ExtendLeft(0, *root_, leftLimit, rack_, {});
      }
      previous = i;
    }
    for (int r = 0; r < kBoardSize; ++r) {
      for (int c = 0; c < kBoardSize; ++c) {
        if (board_.Cell(r, c).anchor) board_.SquareAt(r, c)->anchor = 0;
      }
    }
  }

  // Drops the moves left over from an earlier search in the reused list.
  void Finish() { out_.resize(used_); }

 private:
  int RowOf(int position) const { return direction_ == 0 ? row_ : position; }
  int ColumnOf(int position) const { return direction_ == 0 ? position : column_; }
  const Square& At(int position) const { return board_.Cell(RowOf(position), ColumnOf(position)); }

  int MarkAnchors() {
    int marked = 0;
    for (int i = 0; i < kBoardSize; ++i) {
      const int r = RowOf(i);
      const int c = ColumnOf(i);
      const Square& square = board_.Cell(r, c);
      if (square.HasTile()) continue;
      if (square.anchor || board_.HasNeighbour(r, c, 0) || board_.HasNeighbour(r, c, 1)) {
        board_.SquareAt(r, c)->anchor = 1;
        ++marked;
      }
    }
    return marked;
  }

  // For each empty square of the line: the tiles across the line through it, and the letters
  // that make a word of them (all letters when none touch it). A letter outside that set gives
  // an invalid cross word, so every placement through it would be refused.
  void ComputeCrossWords() {
    const int dr = direction_ == 0 ? 1 : 0;
    const int dc = direction_ == 0 ? 0 : 1;
    auto tileAt = [&](int r, int c) { return Board::OnBoard(r, c) && board_.Cell(r, c).HasTile(); };
    for (int i = 0; i < kBoardSize; ++i) {
      const int r = RowOf(i);
      const int c = ColumnOf(i);
      std::uint32_t& allowed = allowed_[static_cast<std::size_t>(i)];
      CrossWord& cross = cross_[static_cast<std::size_t>(i)];
      allowed = kAllLetters;
      cross.formed = false;
      if (board_.Cell(r, c).HasTile() || !board_.HasNeighbour(r, c, direction_)) continue;
      cross.formed = true;
      cross.before.clear();
      cross.after.clear();
      cross.existingSum = 0;
      int top = 0;
      while (tileAt(r - (top + 1) * dr, c - (top + 1) * dc)) ++top;
      for (int k = top; k > 0; --k) {
        const Square& tile = board_.Cell(r - k * dr, c - k * dc);
        cross.before += tile.character;
        cross.existingSum += LetterScore(board_, tile.character, tile);
      }
      for (int k = 1; tileAt(r + k * dr, c + k * dc); ++k) {
        const Square& tile = board_.Cell(r + k * dr, c + k * dc);
        cross.after += tile.character;
        cross.existingSum += LetterScore(board_, tile.character, tile);
      }
      allowed = 0;
      const TrieNode* node = root_;
      for (std::size_t k = 0; k < cross.before.size() && node != nullptr; ++k) {
        const int child = node->FindChild(cross.before[k]);
        node = child < 0 ? nullptr : &node->Child(child);
      }
      if (node == nullptr) continue;
      for (int n = 0; n < node->ChildCount(); ++n) {
        const TrieNode* walk = &node->Child(n);
        if (!IsUpperLetter(walk->Letter())) continue;
        for (std::size_t k = 0; k < cross.after.size() && walk != nullptr; ++k) {
          const int child = walk->FindChild(cross.after[k]);
          walk = child < 0 ? nullptr : &walk->Child(child);
        }
        if (walk != nullptr && walk->IsTerminal()) allowed |= Bit(node->Child(n).Letter());
      }
    }
  }

  // The left part: `length` letters of word_ on the squares directly before the anchor. Each
  // is tried as it stands (growing right from the anchor), then one letter longer.
  void ExtendLeft(int length, const TrieNode& node, int leftLimit, RackWord rack,
                  BlankIndexes blanks) {
    ExtendRight(length, node, anchor_, rack, blanks);
    // A longer left part needs a tile for itself and one more for the anchor.
    if (leftLimit <= 0 || rack.Size() < 2) return;
    const std::uint32_t atAnchor = allowed_[static_cast<std::size_t>(anchor_)];
    for (int n = 0; n < node.ChildCount(); ++n) {
      const TrieNode& child = node.Child(n);
      const char letter = child.Letter();
      if (!IsUpperLetter(letter)) continue;
      // A left part that can neither grow nor be followed by a letter on the anchor finds
      // nothing; its rack copy still turns.
      const bool worthIt =
          leftLimit > 1 ? child.ChildCount() > 0 : (child.ChildLetters() & atAnchor) != 0;
      word_[static_cast<std::size_t>(length)] = letter;
      if (const int at = rack.Find(letter); at >= 0) {
        rack.MoveToEnd(at);
        if (worthIt) ExtendLeft(length + 1, child, leftLimit - 1, rack.WithoutLast(), blanks);
      }
      if (const int at = rack.Find('?'); at >= 0) {
        rack.MoveToEnd(at);
        if (worthIt) {
          ExtendLeft(length + 1, child, leftLimit - 1, rack.WithoutLast(), blanks.With(length));
        }
      }
    }
  }

  // `length` letters of word_ end just before `position`.
  void ExtendRight(int length, const TrieNode& node, int position, RackWord rack,
                   BlankIndexes blanks) {
    if (position >= kBoardSize) {
      if (node.IsTerminal()) Record(length, position, rack, blanks);
      return;
    }
    const Square& square = At(position);
    if (square.HasTile()) {
      const int child = node.FindChild(square.character);
      if (child < 0) return;
      word_[static_cast<std::size_t>(length)] = square.character;
      ExtendRight(length + 1, node.Child(child), position + 1, rack, blanks);
      return;
    }
    // A word ending at the anchor does not cover it.
    if (node.IsTerminal() && position > anchor_) Record(length, position, rack, blanks);
    if (rack.Size() == 0) return;
    const std::uint32_t allowed = allowed_[static_cast<std::size_t>(position)];
    const bool blankOnRack = rack.Find('?') >= 0;
    // When no child can be played here nothing below is found, and the turns of this call's
    // rack copy reach no candidate.
    if ((node.ChildLetters() & allowed & (blankOnRack ? kAllLetters : rack.Letters())) == 0) return;
    for (int n = 0; n < node.ChildCount(); ++n) {
      const TrieNode& child = node.Child(n);
      const char letter = child.Letter();
      if (!IsUpperLetter(letter)) continue;
      // A letter that makes no cross word here is not followed, but the rack copy still turns
      // as if it had been, so every later candidate keeps its rack order.
      const bool fits = (allowed & Bit(letter)) != 0;
      if (const int at = rack.Find(letter); at >= 0) {
        rack.MoveToEnd(at);
        if (fits) {
          word_[static_cast<std::size_t>(length)] = letter;
          ExtendRight(length + 1, child, position + 1, rack.WithoutLast(), blanks);
        }
      }
      if (blankOnRack) {
        rack.MoveToEnd(rack.Find('?'));
        if (fits) {
          word_[static_cast<std::size_t>(length)] = letter;
          ExtendRight(length + 1, child, position + 1, rack.WithoutLast(), blanks.With(length));
        }
      }
    }
  }

  // Records the word of `length` letters ending just before `end`, with every field that a
  // trial EvaluatePlacement of its placement gives: the line's cross-word tables stand in for
  // laying the tiles, and the letter tree has vouched for every word.
  void Record(int length, int end, RackWord rackLeft, BlankIndexes blanks) {
    if (end <= anchor_) return;  // the word must cover the anchor
    const int start = end - length;
    if (start < 0 || length < 2) return;

    Tiles placed;
    std::array<int, 8> placedAt{};  // line position of each placed letter
    int blank1 = -1;
    int blank2 = -1;
    for (int p = start; p < end; ++p) {
      if (At(p).HasTile()) continue;
      if (placed.size == 7) return;
      const int wordIndex = p - start;
      if (blanks.first == wordIndex) blank1 = placed.size;
      if (blanks.second == wordIndex) blank2 = placed.size;
      placedAt[static_cast<std::size_t>(placed.size)] = p;
      placed.Append(word_[static_cast<std::size_t>(wordIndex)]);
    }
    if (placed.size == 0) return;
    // A word through an anchor that touches a tile, or any word on an empty board, joins the
    // board; only a stray anchor mark needs the full test.
    if (!anchorTouchesTile_ && !boardEmpty_ &&
        !board_.IsConnected(RowOf(start), ColumnOf(start), direction_, length)) {
      return;
    }

    // The rack as the trial evaluation counts it: the placed letters and the rack left, with
    // the letters played as blanks turned back into '?'; the leave is that less the tiles.
    Tiles before = placed;
    for (int i = 0; i < rackLeft.Size(); ++i) before.Append(rackLeft.At(i));
    for (int blank : {blank1, blank2}) {
      if (blank < 0) continue;
      const int at = before.Find(placed.tiles[static_cast<std::size_t>(blank)]);
      if (at >= 0) before.tiles[static_cast<std::size_t>(at)] = '?';
    }
    Tiles after = before;
    for (int i = 0; i < placed.size; ++i) {
      const bool blank = i == blank1 || i == blank2;
      const int at = after.Find(blank ? '?' : placed.tiles[static_cast<std::size_t>(i)]);
      if (at < 0) return;  // cannot happen: the tiles came from this rack
      after.RemoveAt(at);
    }

    Move& move = NextSlot();
    before.AssignTo(move.rackBefore);
    after.AssignTo(move.rackAfter);
    placed.AssignTo(move.placedLetters);
    move.mainWord.assign(word_.data(), static_cast<std::size_t>(length));
    move.row = RowOf(start);
    move.column = ColumnOf(start);
    move.directionText = DirectionText(direction_);
    move.blank1 = blank1;
    move.blank2 = blank2;
    move.moverIndex = static_cast<std::uint8_t>(board_.Mover());

    WordFactors factors;
    int sum = 0;
    for (int p = start; p < end; ++p) {
      const Square& square = At(p);
      if (square.HasTile()) sum += LetterScore(board_, square.character, square);
    }
    for (int i = 0; i < placed.size; ++i) {
      const int p = placedAt[static_cast<std::size_t>(i)];
      const char letter = placed.tiles[static_cast<std::size_t>(i)];
      const bool blank = i == blank1 || i == blank2;
      // Scored as the tile will lie: a blank flag left on an empty square does not count.
      Square laid = At(p);
      laid.blank = blank ? 1 : 0;
      const int letterScore = LetterScore(board_, letter, laid);
      factors.Add(laid.character);
      sum += letterScore;
      const CrossWord& cross = cross_[static_cast<std::size_t>(p)];
      if (cross.formed) {
        const int crossScore = CrossWordScore(letterScore, laid.character, cross.existingSum);
        std::string& word = move.crossWords.emplace_back(cross.before);
        word += letter;
        word += cross.after;
        move.crossScores.push_back(crossScore);
        move.total += crossScore;
      }
      if (i == blank1) move.blank1Square = {RowOf(p), ColumnOf(p)};
      if (i == blank2) move.blank2Square = {RowOf(p), ColumnOf(p)};
    }
    move.mainScore = MainWordScore(sum, factors, placed.size, bonus_);
    move.total += move.mainScore;
  }

  // The next move of the list, as a fresh Move for every field Record does not set itself: a
  // move left from an earlier search is reused, keeping the storage of its lists.
  Move& NextSlot() {
    if (used_ == out_.size()) {
      ++used_;
      return out_.emplace_back();
    }
    Move& move = out_[used_++];
    move.total = 0;
    move.crossWords.clear();
    move.crossScores.clear();
    move.invalidWords.clear();
    move.isExchange = false;
    move.invalid = false;
    move.exchangedLetters.clear();
    move.blank1Square = {};
    move.blank2Square = {};
    move.player = nullptr;
    move.evaluation = 0;
    move.isPass = false;
    return move;
  }

  struct CrossWord {
    bool formed = false;  // tiles touch the square across the line
    std::string before;   // the tiles before it across the line, in board order
    std::string after;    // the tiles after it
    int existingSum = 0;  // their plain scores
  };

  Board& board_;
  const int bonus_;
  std::vector<Move>& out_;
  std::size_t used_ = 0;
  const bool boardEmpty_;
  const TrieNode* root_ = nullptr;
  RackWord rack_;
  int direction_ = 0;
  int row_ = -1;
  int column_ = -1;
  int anchor_ = 0;
  bool anchorTouchesTile_ = false;
  std::array<char, kBoardSize + 1> word_{};
  std::array<std::uint32_t, kBoardSize> allowed_{};
  std::array<CrossWord, kBoardSize> cross_{};
};

}  // namespace

void GenerateMoves(Board& board, std::string_view rack, int bonus, std::vector<Move>& candidates) {
  Search search(board, rack, bonus, candidates);
  if (!rack.empty() && search.HasWords()) {
    for (int r = 0; r < kBoardSize; ++r) search.Line(r, -1);
    for (int c = 0; c < kBoardSize; ++c) search.Line(-1, c);
  }
  search.Finish();
}

std::vector<Move> GenerateMoves(Board& board, std::string_view rack, int bonus) {
  std::vector<Move> candidates;
  GenerateMoves(board, rack, bonus, candidates);
  return candidates;
}

void MarkCentreAnchor(Board& board) {
  if (board.IsBoardEmpty()) board.SquareAt(7, 7)->anchor = 1;
}

}  // namespace lumiquad
