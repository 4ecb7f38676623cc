#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ai/ratings.h"
#include "model/board.h"
#include "model/layouts.h"
#include "model/square.h"
#include "rules/move.h"

namespace lumiquad {

class Board;
class WordList;

// The squares and letter values of a board as they stood: what making a candidate whole reads
// of the board, kept so that a position's moves can be made whole after the board has moved on.
class BoardSquares {
 public:
  explicit BoardSquares(const Board& board);
  const Square& Cell(int row, int column) const {
    return squares_[static_cast<std::size_t>(row * kBoardSize + column)];
  }
  int LetterValue(char letter) const { return LetterValueIn(values_, letter); }

 private:
  std::array<Square, kBoardSize * kBoardSize> squares_;
  LetterTable values_{};
};

// One legal move of a rack, as the search finds it: enough to score, rank and compare it, and
// to give it as the full Move when it is kept.
struct Candidate {
  std::int32_t total = 0;
  std::uint8_t direction = 0;  // 0 across a row, 1 down a column
  std::uint8_t line = 0;       // that row or column
  std::uint8_t anchor = 0;     // the anchor square it was found from, along the line
  std::uint8_t start = 0;      // the word's first square along the line
  std::uint8_t length = 0;
  std::uint8_t placed = 0;      // tiles it lays
  std::uint16_t blanks = 0;     // bit i: the word's letter i is laid with a blank
  std::array<char, 16> word{};  // the whole main word

  bool Blank(int index) const { return ((blanks >> index) & 1) != 0; }
};

// Every legal move of a rack on a board, in the compact form, with the order and the full
// records of the plain search that walks the word list's tree: rows before columns, anchor by
// anchor, each word's letters in the tree's order with a real tile before a blank, and the
// rack's tiles in the order that search's copies of the rack leave them. The board, the rack
// and the word list must stay as they were while candidates are compared or given as moves.
class Candidates {
 public:
  std::size_t Size() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  const Candidate& operator[](std::size_t index) const { return items_[index]; }
  const std::vector<Candidate>& Items() const { return items_; }

  // Whether `a` comes before `b` in the plain search's order.
  bool Before(const Candidate& a, const Candidate& b) const {
    if (a.direction != b.direction) return a.direction < b.direction;
    if (a.line != b.line) return a.line < b.line;
    if (a.anchor != b.anchor) return a.anchor < b.anchor;
    return BeforeFromOneAnchor(a, b);
  }
  // The candidate as the plain search records it: every field a trial evaluation gives.
  Move ToMove(const Candidate& candidate) const;
  // The same, written into a fresh Move.
  void FillMove(const Candidate& candidate, Move& move) const;
  // The same from the squares of the board the candidates were found on, with no board needed:
  // only the word list must still be there.
  void FillMove(const BoardSquares& squares, const Candidate& candidate, Move& move) const;
  // What a candidate is made whole from, without the candidates: no board, so made whole only
  // from its squares.
  Candidates Context() const;
  // The word list they were found with.
  const WordList* Words() const { return words_; }
  // The squares of the board they were found on, as they stand.
  BoardSquares Squares() const { return BoardSquares(*board_); }
  // What the computer makes of the tiles the rack keeps after the candidate (see LeaveValue),
  // from the squares of the board they were found on.
  double LeaveValueOf(const BoardSquares& squares, const Candidate& candidate,
                      double leaveWeight) const;
  // No candidate's leave is worth more (see LeaveValueCeiling).
  double LeaveValueCeiling(double leaveWeight) const;
  // The square the main word starts on.
  int Row(const Candidate& candidate) const {
    return candidate.direction == 0 ? candidate.line : candidate.start;
  }
  int Column(const Candidate& candidate) const {
    return candidate.direction == 0 ? candidate.start : candidate.line;
  }
  // All of them, in the plain search's order.
  std::vector<Move> ToMoves() const;

 private:
  friend class Search;
  bool BeforeFromOneAnchor(const Candidate& a, const Candidate& b) const;
  // The tiles left on the rack copy of the plain search when it records the candidate,
  // written to `out` (room for 8); answers how many. `Grid` is the Board or BoardSquares.
  template <typename Grid>
  int RackLeft(const Grid& grid, const Candidate& candidate, char* out) const;
  template <typename Grid>
  void FillMoveOn(const Grid& grid, const Candidate& candidate, Move& move) const;
  // Calls take(tile) for each rack tile the candidate lays, in board order; a blank as '?'.
  template <typename Take>
  void ForEachTileLaid(const BoardSquares& squares, const Candidate& candidate, Take take) const;

  std::vector<Candidate> items_;
  const Board* board_ = nullptr;
  const WordList* words_ = nullptr;
  std::string rack_;
  LeaveTiles rackTiles_;  // the rack counted, when it is made of tiles only
  bool rackIsTiles_ = false;
  int bonus_ = 50;
  int mover_ = 0;
};

// Finds every legal move of `rack` (see Candidates). Anchors are the empty squares next to a
// tile, and a square already marked as an anchor (the centre before a first move); the marks
// are cleared after each line that had one, as the search has always left them, and the board's
// search anchor is the last anchor worked on. The board is otherwise left as it was. `out`'s
// storage is reused.
void FindCandidates(Board& board, std::string_view rack, int bonus, Candidates& out);
Candidates FindCandidates(Board& board, std::string_view rack, int bonus);

// All that a chooser keeping the `keep` highest-scoring candidates uses of them: every candidate
// scoring at least the keep-th highest score, and every one of the lowest score; with fewer
// than `keep` candidates, all of them. Found by walking the anchors whose bound can still reach
// that score, in no particular order; the board is left as FindCandidates leaves it. A rack
// without a blank has few moves, fewer than the bounds cost to rule out: those are all listed.
void FindTopCandidates(Board& board, std::string_view rack, int bonus, int keep, Candidates& out);

class RackLeaves;
// The `count` best candidates by score plus the value of their leave (`leaves` made for the same
// rack), best first, equal ones in the plain search's order; `equities` gets their values.
// Nothing is allocated once the storage has grown to the count. Without bounds every anchor is
// walked (to measure by).
void FindBestCandidates(Board& board, std::string_view rack, int bonus, const RackLeaves& leaves,
                        int count, Candidates& out, std::vector<double>& equities,
                        bool useBounds = true);

// The same over only the rows and the columns named (bit i: row or column i), for a position
// that changed in a few lines since a search of the whole board.
void FindBestCandidatesInLines(Board& board, std::string_view rack, int bonus,
                               const RackLeaves& leaves, int count, std::uint32_t rows,
                               std::uint32_t columns, Candidates& out,
                               std::vector<double>& equities);

// The bound the search by bound gives each anchor: no candidate found from it scores more.
struct AnchorBound {
  int direction = 0;
  int line = 0;
  int anchor = 0;
  int upper = 0;
};
std::vector<AnchorBound> AnchorBounds(Board& board, std::string_view rack, int bonus);

}  // namespace lumiquad
