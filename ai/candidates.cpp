// What the plain search of the word list's tree makes of a candidate the GADDAG found: where
// it stands in that search's order, and the rack's tiles in the order that search's rack copies
// are left in when it records it.
#include "ai/candidates.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

#include "model/board.h"
#include "rules/scoring.h"
#include "words/gaddag.h"
#include "words/word_list.h"

namespace lumiquad {

BoardSquares::BoardSquares(const Board& board) : values_(board.GetLetterValues()) {
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) {
      squares_[static_cast<std::size_t>(r * kBoardSize + c)] = board.Cell(r, c);
    }
  }
}

namespace {

// The plain search's copy of a rack: taking a tile out for a branch and putting it back
// afterwards moves it to the end, and a branch gets the copy without that last tile.
class RackCopy {
 public:
  explicit RackCopy(std::string_view tiles) {
    for (char tile : tiles.substr(0, tiles_.size())) {
      tiles_[static_cast<std::size_t>(size_++)] = tile;
      Count(tile, 1);
    }
  }
  bool HasBlank() const { return blanks_ > 0; }
  int Blanks() const { return blanks_; }
  // Turning a tile the copy does not hold changes nothing.
  void Turn(char tile) {
    int at = 0;
    while (at < size_ && tiles_[static_cast<std::size_t>(at)] != tile) ++at;
    if (at == size_) return;
    for (; at + 1 < size_; ++at) {
      tiles_[static_cast<std::size_t>(at)] = tiles_[static_cast<std::size_t>(at + 1)];
    }
    tiles_[static_cast<std::size_t>(at)] = tile;
  }
  void Descend() {
    if (size_ == 0) return;
    Count(tiles_[static_cast<std::size_t>(--size_)], -1);
  }
  // Copies the tiles to `out` (room for 8); answers how many.
  int CopyTiles(char* out) const {
    std::copy_n(tiles_.data(), size_, out);
    return size_;
  }
  // Turning each of `letters` (as bits, each held, `last` among them) in alphabetical order and
  // descending, in one pass: their first copies leave their places, and all but `last` go to
  // the end in that order.
  void TurnEachAndDescend(std::uint32_t letters, char last) {
    std::array<char, 8> kept{};
    int size = 0;
    std::uint32_t pending = letters;
    for (int i = 0; i < size_; ++i) {
      const char tile = tiles_[static_cast<std::size_t>(i)];
      const std::uint32_t bit = tile >= 'A' && tile <= 'Z' ? 1u << (tile - 'A') : 0;
      if ((pending & bit) != 0) {
        pending &= ~bit;
        continue;
      }
      kept[static_cast<std::size_t>(size++)] = tile;
    }
    for (std::uint32_t rest = letters & ~(1u << (last - 'A')); rest != 0; rest &= rest - 1) {
      kept[static_cast<std::size_t>(size++)] = static_cast<char>('A' + std::countr_zero(rest));
    }
    tiles_ = kept;
    size_ = size;
    Count(last, -1);
  }
  // The letters 'A' to 'Z' the copy holds, as bits.
  std::uint32_t Letters() const { return letters_; }

 private:
  void Count(char tile, int change) {
    if (tile == '?') blanks_ += change;
    if (tile < 'A' || tile > 'Z') return;
    int& count = counts_[static_cast<std::size_t>(tile - 'A')];
    count += change;
    if (count > 0) {
      letters_ |= 1u << (tile - 'A');
    } else {
      letters_ &= ~(1u << (tile - 'A'));
    }
  }

  std::array<char, 8> tiles_{};
  int size_ = 0;
  std::array<int, 26> counts_{};
  std::uint32_t letters_ = 0;
  int blanks_ = 0;
};

// The part of one step of the plain search that a child of the node takes: turning the rack
// copy for a real tile and then for a blank; true once the step taken (letter `letter`, a blank
// when `blank`) is reached.
bool TurnFor(char child, char letter, bool blank, bool blankOnRack, RackCopy& rack) {
  rack.Turn(child);
  if (child == letter && !blank) return true;
  if (blankOnRack) rack.Turn('?');
  return child == letter;
}

// One step of the plain search at a node: its children in order, each turning the rack copy,
// up to the step taken, which descends. Turning never takes a tile away, so whether a blank's
// turn comes is the same for every child. In a tree whose children stand in alphabetical order
// the children are the node's letter bits, and without a blank only those on the rack turn it.
void Step(const TrieNode& node, char letter, bool blank, bool alphabetical, RackCopy& rack) {
  const bool blankOnRack = rack.HasBlank();
  if (alphabetical) {
    std::uint32_t children = node.ChildLetters() & ((2u << (letter - 'A')) - 1);
    if (!blankOnRack) {
      // Only the rack's letters turn it, each once, and the last is the one laid.
      rack.TurnEachAndDescend(children & rack.Letters(), letter);
      return;
    }
    // A child the copy does not hold turns only the blank; once the blanks have gone to the
    // end in turn (each of them, as no other tile moved since), turning them again changes
    // nothing.
    const std::uint32_t held = rack.Letters();
    const int blanks = rack.Blanks();
    int blanksAtEnd = 0;
    while (children != 0) {
      const int code = std::countr_zero(children);
      const char child = static_cast<char>('A' + code);
      children &= children - 1;
      if ((held >> code & 1) != 0) {
        rack.Turn(child);
        blanksAtEnd = 0;
      }
      if (child == letter && !blank) break;
      if (blanksAtEnd < blanks) {
        rack.Turn('?');
        ++blanksAtEnd;
      }
      if (child == letter) break;
    }
  } else {
    for (int n = 0; n < node.ChildCount(); ++n) {
      const char child = node.Child(n).Letter();
      if (child < 'A' || child > 'Z') continue;
      if (TurnFor(child, letter, blank, blankOnRack, rack)) break;
    }
  }
  rack.Descend();
}

// The child of a node that carries a letter the node has.
const TrieNode& ChildOf(const TrieNode& node, char letter, bool alphabetical) {
  if (alphabetical && letter >= 'A' && letter <= 'Z') {
    return node.Child(CountBits(node.ChildLetters() & ((1u << (letter - 'A')) - 1)));
  }
  return node.Child(node.FindChild(letter));
}

int Rank(const TrieNode& node, char letter) { return node.FindChild(letter); }

}  // namespace

bool Candidates::BeforeFromOneAnchor(const Candidate& a, const Candidate& b) const {
  // Found from one anchor: by left part, the shorter of two where one begins the other, then by
  // the rest; letter by letter in the tree's order, a real tile before a blank.
  const bool alphabetical = words_->ChildrenAlphabetical();
  const TrieNode* node = &words_->Root();
  auto compare = [&](int ia, int ib) -> int {
    const char la = a.word[static_cast<std::size_t>(ia)];
    const char lb = b.word[static_cast<std::size_t>(ib)];
    if (la != lb) {
      if (alphabetical) return la < lb ? -1 : 1;
      return Rank(*node, la) < Rank(*node, lb) ? -1 : 1;
    }
    if (a.Blank(ia) != b.Blank(ib)) return a.Blank(ia) ? 1 : -1;
    if (!alphabetical) node = &node->Child(Rank(*node, la));
    return 0;
  };
  const int leftA = a.anchor - a.start;
  const int leftB = b.anchor - b.start;
  for (int i = 0; i < std::min(leftA, leftB); ++i) {
    if (const int order = compare(i, i); order != 0) return order < 0;
  }
  if (leftA != leftB) return leftA < leftB;
  for (int i = leftA;; ++i) {
    if (i == a.length || i == b.length) return a.length < b.length;
    if (const int order = compare(i, i); order != 0) return order < 0;
  }
}

template <typename Grid>
int Candidates::RackLeft(const Grid& grid, const Candidate& candidate, char* out) const {
  RackCopy rack(rack_);
  const bool alphabetical = words_->ChildrenAlphabetical();
  const TrieNode* node = &words_->Root();
  const int left = candidate.anchor - candidate.start;
  auto letterAt = [&](int index) { return candidate.word[static_cast<std::size_t>(index)]; };
  auto follow = [&](int index) { node = &ChildOf(*node, letterAt(index), alphabetical); };
  int index = 0;
  // With a tile before the anchor, the left part is fixed.
  const int before = candidate.anchor - 1;
  const bool fixedLeft =
      before >= 0 && (candidate.direction == 0 ? grid.Cell(candidate.line, before)
                                               : grid.Cell(before, candidate.line))
                         .HasTile();
  if (fixedLeft) {
    // The tiles before the anchor lead straight to the rightward search.
    for (; index < left; ++index) follow(index);
  } else {
    for (; index < left; ++index) {
      Step(*node, letterAt(index), candidate.Blank(index), alphabetical, rack);
      follow(index);
    }
  }
  for (int position = candidate.anchor; index < candidate.length; ++index, ++position) {
    const int row = candidate.direction == 0 ? candidate.line : position;
    const int column = candidate.direction == 0 ? position : candidate.line;
    if (!grid.Cell(row, column).HasTile()) {
      Step(*node, letterAt(index), candidate.Blank(index), alphabetical, rack);
    }
    follow(index);
  }
  return rack.CopyTiles(out);
}

template <typename Take>
void Candidates::ForEachTileLaid(const BoardSquares& squares, const Candidate& candidate,
                                 Take take) const {
  const int dr = candidate.direction == 0 ? 0 : 1;
  const int dc = 1 - dr;
  for (int i = 0; i < candidate.length; ++i) {
    if (squares.Cell(Row(candidate) + i * dr, Column(candidate) + i * dc).HasTile()) continue;
    take(candidate.Blank(i) ? '?' : candidate.word[static_cast<std::size_t>(i)]);
  }
}

double Candidates::LeaveValueOf(const BoardSquares& squares, const Candidate& candidate,
                                double leaveWeight) const {
  // A rack of tiles only, as every dealt rack is, is counted; anything else goes as text.
  if (!rackIsTiles_) {
    std::string leave = rack_;
    ForEachTileLaid(squares, candidate, [&](char tile) {
      const std::size_t at = leave.find(tile);
      if (at != std::string::npos) leave.erase(at, 1);
    });
    return LeaveValue(leave, leaveWeight);
  }
  LeaveTiles leave = rackTiles_;
  ForEachTileLaid(squares, candidate, [&](char tile) { leave.Remove(tile); });
  return LeaveValue(leave, leaveWeight);
}

double Candidates::LeaveValueCeiling(double leaveWeight) const {
  return rackIsTiles_ ? lumiquad::LeaveValueCeiling(rackTiles_, leaveWeight) : HUGE_VAL;
}

Move Candidates::ToMove(const Candidate& candidate) const {
  Move move;
  FillMove(candidate, move);
  return move;
}

void Candidates::FillMove(const Candidate& candidate, Move& move) const {
  FillMoveOn(*board_, candidate, move);
}

void Candidates::FillMove(const BoardSquares& squares, const Candidate& candidate,
                          Move& move) const {
  FillMoveOn(squares, candidate, move);
}

Candidates Candidates::Context() const {
  Candidates context;
  context.words_ = words_;
  context.rack_ = rack_;
  context.rackTiles_ = rackTiles_;
  context.rackIsTiles_ = rackIsTiles_;
  context.bonus_ = bonus_;
  context.mover_ = mover_;
  return context;
}

template <typename Grid>
void Candidates::FillMoveOn(const Grid& grid, const Candidate& candidate, Move& move) const {
  const int dr = candidate.direction == 0 ? 0 : 1;
  const int dc = candidate.direction == 0 ? 1 : 0;
  const int row0 = Row(candidate);
  const int column0 = Column(candidate);

  std::array<char, 16> placed{};
  int placedCount = 0;
  int blank1 = -1;
  int blank2 = -1;
  for (int i = 0; i < candidate.length; ++i) {
    if (grid.Cell(row0 + i * dr, column0 + i * dc).HasTile()) continue;
    if (candidate.Blank(i)) (blank1 < 0 ? blank1 : blank2) = placedCount;
    placed[static_cast<std::size_t>(placedCount++)] = candidate.word[static_cast<std::size_t>(i)];
  }

  // The rack as the trial evaluation counts it: the placed letters and the tiles left, with
  // the letters played as blanks turned back into '?'; the leave is that less the tiles.
  std::array<char, 24> before{};
  std::copy_n(placed.begin(), placedCount, before.begin());
  const int beforeCount = placedCount + RackLeft(grid, candidate, before.data() + placedCount);
  const auto beforeEnd = before.begin() + beforeCount;
  for (int blank : {blank1, blank2}) {
    if (blank < 0) continue;
    const auto at = std::find(before.begin(), beforeEnd, placed[static_cast<std::size_t>(blank)]);
    if (at != beforeEnd) *at = '?';
  }
  std::array<char, 24> after = before;
  auto afterEnd = after.begin() + beforeCount;
  for (int i = 0; i < placedCount; ++i) {
    const bool isBlank = i == blank1 || i == blank2;
    const auto at =
        std::find(after.begin(), afterEnd, isBlank ? '?' : placed[static_cast<std::size_t>(i)]);
    if (at == afterEnd) continue;
    std::copy(at + 1, afterEnd, at);
    --afterEnd;
  }
  move.placedLetters.assign(placed.data(), static_cast<std::size_t>(placedCount));
  move.rackBefore.assign(before.data(), static_cast<std::size_t>(beforeCount));
  move.rackAfter.assign(after.begin(), afterEnd);

  move.mainWord.assign(candidate.word.data(), candidate.length);
  // A found move starts where its main word starts, on a tile or not.
  move.row = row0;
  move.column = column0;
  move.directionText = DirectionText(candidate.direction);
  move.blank1 = blank1;
  move.blank2 = blank2;
  move.moverIndex = static_cast<std::uint8_t>(mover_);

  // The words and scores, as the evaluator reads them off the board.
  WordFactors factors;
  int sum = 0;
  int laid = 0;
  for (int i = 0; i < candidate.length; ++i) {
    const int r = row0 + i * dr;
    const int c = column0 + i * dc;
    const Square& square = grid.Cell(r, c);
    if (square.HasTile()) {
      sum += LetterScore(grid, square.character, square);
      continue;
    }
    const char letter = candidate.word[static_cast<std::size_t>(i)];
    const bool blank = candidate.Blank(i);
    Square scored = square;
    scored.blank = blank ? 1 : 0;
    const int letterScore = LetterScore(grid, letter, scored);
    factors.Add(square.character);
    sum += letterScore;
    if (TileBeside(grid, r, c, candidate.direction)) {
      const int cr = dc;  // across the line
      const int cc = dr;
      int existing = 0;
      std::string cross;
      int k = 1;
      while (Board::OnBoard(r - k * cr, c - k * cc) &&
             grid.Cell(r - k * cr, c - k * cc).HasTile()) {
        ++k;
      }
      for (--k; k > 0; --k) {
        const Square& tile = grid.Cell(r - k * cr, c - k * cc);
        cross += tile.character;
        existing += LetterScore(grid, tile.character, tile);
      }
      cross += letter;
      for (k = 1;
           Board::OnBoard(r + k * cr, c + k * cc) && grid.Cell(r + k * cr, c + k * cc).HasTile();
           ++k) {
        const Square& tile = grid.Cell(r + k * cr, c + k * cc);
        cross += tile.character;
        existing += LetterScore(grid, tile.character, tile);
      }
      const int crossScore = CrossWordScore(letterScore, square.character, existing);
      if (move.crossWords.empty()) {
        move.crossWords.reserve(static_cast<std::size_t>(candidate.placed));
        move.crossScores.reserve(static_cast<std::size_t>(candidate.placed));
      }
      move.crossWords.push_back(std::move(cross));
      move.crossScores.push_back(crossScore);
      move.total += crossScore;
    }
    if (laid == blank1 || laid == blank2) {
      (laid == blank1 ? move.blank1Square : move.blank2Square) = {r, c};
    }
    ++laid;
  }
  move.mainScore = MainWordScore(sum, factors, placedCount, bonus_);
  move.total += move.mainScore;
}

std::vector<Move> Candidates::ToMoves() const {
  std::vector<std::size_t> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return Before(items_[a], items_[b]); });
  std::vector<Move> moves;
  moves.reserve(items_.size());
  for (std::size_t index : order) moves.push_back(ToMove(items_[index]));
  return moves;
}

}  // namespace lumiquad
