#include "ai/move_generator.h"

#include "ai/rack_leaves.h"
#include "ai/search_bounds.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <limits>
#include <optional>

#include "model/board.h"
#include "model/player.h"
#include "rules/scoring.h"
#include "words/anagram_keys.h"
#include "words/gaddag.h"
#include "words/word_list.h"

namespace lumiquad {

namespace {

constexpr int kBlank = 26;

inline bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

// The score of the keep-th highest move found so far: the highest moves of the whole search
// score at least that. Scores are counted in bins of one point; those beyond the bins count at
// the nearest end, which only lowers the cut.
class ScoreCut {
 public:
  explicit ScoreCut(int keep) : keep_(keep) {}
  bool Full() const { return total_ >= keep_; }
  // No move scores below the lowest bin's cut: none can be passed over there.
  int Threshold() const { return cut_ == 0 ? INT_MIN : cut_ - kOffset; }
  void Add(int score) {
    const int bin = std::clamp(score + kOffset, 0, kBins - 1);
    ++counts_[static_cast<std::size_t>(bin)];
    if (++total_ < keep_) return;
    if (total_ == keep_) {
      cut_ = 0;
      while (counts_[static_cast<std::size_t>(cut_)] == 0) ++cut_;
      atOrAbove_ = total_;
    } else if (bin >= cut_) {
      ++atOrAbove_;
    } else {
      return;
    }
    while (atOrAbove_ - counts_[static_cast<std::size_t>(cut_)] >= keep_) {
      atOrAbove_ -= counts_[static_cast<std::size_t>(cut_++)];
    }
  }

 private:
  static constexpr int kOffset = 256;
  static constexpr int kBins = 2048;
  int keep_;
  int total_ = 0;
  int cut_ = 0;
  int atOrAbove_ = 0;
  std::array<int, kBins> counts_{};
};

}  // namespace

// One search of one rack over the GADDAG: the lines in order and, in each, the words grown from
// every anchor: first leftwards from the anchor (over the free squares since the anchor before,
// or over the tiles just before it), then rightwards.
class Search {
 public:
  // What the search is for: every move; the moves a chooser keeping the highest by score uses;
  // the best by equity; or only the anchors' bounds.
  enum class Goal { All, Top, Best, Bounds };

 private:
  // The running sums of the word being grown: its letters' scores, its word premiums, the
  // cross words of the tiles laid less the penalties, and how many were laid. Small enough to
  // travel in two registers.
  struct Sums {
    int letters = 0;
    int multiplier = 1;
    int extra = 0;
    int placed = 0;
  };
  // An anchor's run bounds, by the free squares taken before and after it.
  using KeptRuns = std::array<std::array<std::int16_t, kRackSize>, kRackSize>;
  static constexpr std::int16_t kNoRun = INT16_MIN;
  static constexpr std::int16_t kNoLimit = INT16_MAX;  // for a bound too high to keep
  // The anchors of a search by bound, as the lines note them.
  struct AnchorEntry {
    int upper = 0;
    double equity = 0;  // by equity: the most a move from it can be worth
    std::int16_t order = 0;
    std::int8_t direction = 0;
    std::int8_t line = 0;
    std::int8_t position = 0;
    std::int8_t previous = -1;
    bool touches = false;
  };

 public:
  Search(Board& board, std::string_view rack, int bonus, Candidates& out, Goal goal = Goal::All,
         int keep = 0)
      : board_(board),
        bonus_(bonus),
        out_(out),
        boardEmpty_(board.IsBoardEmpty()),
        goal_(goal),
        keep_(keep),
        cut_(keep),
        bingo_(goal == Goal::All || board.DictionaryRef() == nullptr
                   ? nullptr
                   : &board.DictionaryRef()->LongAnagrams(),
               rackForBounds_) {
    out_.items_.clear();
    out_.board_ = &board;
    out_.words_ = board.DictionaryRef();
    out_.rack_ = std::string(rack.substr(0, 7));
    out_.rackTiles_ = LeaveTiles();
    out_.rackIsTiles_ = true;
    for (char tile : out_.rack_) out_.rackIsTiles_ = out_.rackTiles_.Add(tile) && out_.rackIsTiles_;
    out_.bonus_ = bonus;
    out_.mover_ = board.Mover();
    for (int i = 0; i < 26; ++i)
      values_[static_cast<std::size_t>(i)] = board.LetterValue(static_cast<char>('A' + i));
    for (char tile : out_.rack_) {
      int value = 0;
      if (IsUpperLetter(tile)) {
        ++rack_[static_cast<std::size_t>(tile - 'A')];
        onRack_ |= 1u << (tile - 'A');
        value = values_[static_cast<std::size_t>(tile - 'A')];
      } else if (tile == '?') {
        ++rack_[kBlank];
      } else {
        continue;
      }
      // Highest first.
      int at = rackForBounds_.size++;
      while (at > 0 && rackForBounds_.values[static_cast<std::size_t>(at - 1)] < value) {
        rackForBounds_.values[static_cast<std::size_t>(at)] =
            rackForBounds_.values[static_cast<std::size_t>(at - 1)];
        --at;
      }
      rackForBounds_.values[static_cast<std::size_t>(at)] = value;
    }
    rackForBounds_.counts = rack_;
    rackForBounds_.letterValues = values_;
    rackForBounds_.SortLetters();
    if (out_.words_ != nullptr) gaddag_ = out_.words_->SearchGaddag();
    // A move laying the whole rack is found from the letters it could be made of; the walk lays
    // one tile fewer, and its bounds leave out the full-rack bonus.
    // With more than two blanks (a bag of the user's own) the walk finds them all as before.
    if ((goal == Goal::Top || goal == Goal::Best) && rackForBounds_.size == kRackSize &&
        rack_[kBlank] <= 2 && gaddag_ != nullptr && !gaddag_->Empty()) {
      wholeRackWords_ = &board.DictionaryRef()->LongAnagrams();
      mostLaid_ = kRackSize - 1;
    }
  }

  // The best by equity: `keep` of them, their equities in `equities`.
  void SetLeaves(const RackLeaves& leaves, std::vector<double>& equities, bool useBounds) {
    leaves_ = &leaves;
    useBounds_ = useBounds;
    leaveIndex_ = leaves.WholeIndex();
    for (int code = 0; code <= kBlank; ++code)
      leaveStride_[static_cast<std::size_t>(code)] = leaves.StrideOf(code);
    equities_ = &equities;
    equities.clear();
    out_.items_.reserve(static_cast<std::size_t>(keep_) + 1);
    equities.reserve(static_cast<std::size_t>(keep_) + 1);
  }
  void SetBounds(std::vector<AnchorBound>& bounds) { bounds_ = &bounds; }
  // Only the rows and columns named, as bits.
  void SetLines(std::uint32_t rows, std::uint32_t columns) { lineMask_ = {rows, columns}; }

  void Run() {
    // An empty rack finds nothing and leaves the board alone; a word list, even an empty one,
    // has its lines worked through, their anchor marks and all.
    if (out_.rack_.empty() || out_.words_ == nullptr) return;
    ReadBoard();
    bool marked = false;
    for (int direction = 0; direction < 2; ++direction) {
      for (int line = 0; line < kBoardSize; ++line) {
        if ((lineMask_[static_cast<std::size_t>(direction)] >> line & 1) != 0) {
          marked = Line(direction, line) || marked;
        }
      }
    }
    if (goal_ != Goal::All) WalkByBound();
    // The marks as the search leaves them: cleared after every line that had an anchor.
    for (int r = 0; r < kBoardSize; ++r) {
      for (int c = 0; c < kBoardSize; ++c) {
        const bool mark = (marks_[static_cast<std::size_t>(r)] >> c & 1) != 0;
        if ((board_.Cell(r, c).anchor != 0) != mark) board_.SquareAt(r, c)->anchor = mark ? 1 : 0;
      }
    }
    if (marked) board_.searchAnchor = lastAnchor_;
  }

 private:
  int RowOf(int position) const { return direction_ == 0 ? line_ : position; }
  int ColumnOf(int position) const { return direction_ == 0 ? position : line_; }
  const Square& At(int position) const { return board_.Cell(RowOf(position), ColumnOf(position)); }

  // What the search reads of every square, once a turn: tiles as bits along rows and columns,
  // and each square's tile or premium.
  void ReadBoard() {
    for (int r = 0; r < kBoardSize; ++r) {
      for (int c = 0; c < kBoardSize; ++c) {
        const Square& square = board_.Cell(r, c);
        LineSquare& info = cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
        if (square.anchor != 0) marks_[static_cast<std::size_t>(r)] |= Bit(c);
        if (!square.HasTile()) {
          info.premium = PremiumOf(square.character);
          info.extra = -info.premium.penalty;
          continue;
        }
        rowTiles_[static_cast<std::size_t>(r)] |= Bit(c);
        columnTiles_[static_cast<std::size_t>(c)] |= Bit(r);
        info.tile = square.character;
        info.tileCode = CodeOfTile(square.character);
        info.tileValue = LetterScore(board_, square.character, square);
      }
    }
  }

  static std::uint32_t Bit(int index) { return 1u << index; }
  // The tiles of a row (direction 0) or column (1), as bits; none beyond the board's edges.
  std::uint32_t TilesOf(int direction, int line) const {
    if (line < 0 || line >= kBoardSize) return 0;
    return (direction == 0 ? rowTiles_ : columnTiles_)[static_cast<std::size_t>(line)];
  }
  const LineSquare& CellAt(int position) const {
    return cells_[static_cast<std::size_t>(RowOf(position))]
                 [static_cast<std::size_t>(ColumnOf(position))];
  }

  // Works through one line, or only notes its anchors and their bounds when the search goes by
  // bound; answers whether it had an anchor.
  bool Line(int direction, int line) {
    direction_ = direction;
    line_ = line;
    const std::uint32_t tiles = TilesOf(direction, line);
    const std::uint32_t beside = TilesOf(direction, line - 1) | TilesOf(direction, line + 1);
    std::uint32_t marked = 0;
    for (int i = 0; i < kBoardSize; ++i) {
      if ((marks_[static_cast<std::size_t>(RowOf(i))] >> ColumnOf(i) & 1) != 0) marked |= Bit(i);
    }
    const std::uint32_t touching = beside | tiles << 1 | tiles >> 1;
    // Empty squares with a tile next to them along or across the line, or marked.
    const std::uint32_t anchors = ~tiles & (marked | touching) & (Bit(kBoardSize) - 1);
    if (anchors == 0) return false;
    lineAnchors_[static_cast<std::size_t>(direction * kBoardSize + line)] = anchors;
    lineTouching_[static_cast<std::size_t>(direction * kBoardSize + line)] = touching;
    marks_.fill(0);
    lastAnchor_ = At(31 - std::countl_zero(anchors));
    lastAnchor_.anchor = 1;
    if (gaddag_ == nullptr || gaddag_->Empty()) return true;
    LineSquares& squares = lines_[static_cast<std::size_t>(direction * kBoardSize + line)];
    squares_ = squares.data();
    lineTiles_ = tiles << 1;
    PrepareLine(tiles, beside);
    std::optional<LineRuns> facts;
    if (goal_ != Goal::All) facts = ReadLineRuns(squares, rackForBounds_);
    int previous = -1;
    for (int i = 0; i < kBoardSize; ++i) {
      if ((anchors >> i & 1) == 0) continue;
      const bool touches = (touching >> i & 1) != 0;
      if (goal_ == Goal::All) {
        anchorTouchesTile_ = touches;
        Anchor(i, previous);
      } else {
        AnchorEntry& entry = anchors_[static_cast<std::size_t>(anchorCount_)];
        std::array<int, 8> byLaid{};
        RunBounds runs;
        entry.upper = AnchorUpperBound(squares, *facts, i, previous, rackForBounds_, bonus_, bingo_,
                                       &byLaid, &runs, mostLaid_);
        KeepRuns(runs, runBounds_[static_cast<std::size_t>(anchorCount_)]);
        entry.equity = BestEquity(byLaid);
        entry.order = static_cast<std::int16_t>(anchorCount_++);
        entry.direction = static_cast<std::int8_t>(direction);
        entry.line = static_cast<std::int8_t>(line);
        entry.position = static_cast<std::int8_t>(i);
        entry.previous = static_cast<std::int8_t>(previous);
        entry.touches = touches;
      }
      previous = i;
    }
    return true;
  }

  // Walks the anchors noted, the highest bound first, until none left can make a move that
  // counts. For the highest-scoring moves, those left are still searched for the lowest score,
  // only as far as a word could still score that low.
  void WalkByBound() {
    const auto first = anchors_.begin();
    const auto last = first + anchorCount_;
    if (goal_ == Goal::Bounds) {
      for (auto entry = first; entry != last; ++entry) {
        bounds_->push_back({entry->direction, entry->line, entry->position, entry->upper});
      }
      return;
    }
    if (wholeRackWords_ != nullptr) FindWholeRackMoves();
    std::sort(first, last, [](const AnchorEntry& a, const AnchorEntry& b) {
      if (a.equity != b.equity) return a.equity > b.equity;
      return a.upper != b.upper ? a.upper > b.upper : a.order < b.order;
    });
    auto entry = first;
    for (; entry != last && !CanStop(*entry); ++entry) Walk(*entry);
    if (goal_ != Goal::Top) return;
    // The lowest bounds first: their low scores rule out more of the rest.
    lowestOnly_ = true;
    for (auto back = last; back != entry;) Walk(*--back);
    lowestOnly_ = false;
    if (wholeRackWords_ != nullptr) FindLowestWholeRackMoves();
  }

  // By equity, the runs of each length with the best leave of the tiles they leave; a run of
  // every tile leaves nothing.
  double BestEquity(const std::array<int, 8>& byLaid) const {
    if (goal_ != Goal::Best) return 0;
    double best = -std::numeric_limits<double>::infinity();
    for (int laid = 1; laid <= rackForBounds_.size; ++laid) {
      if (byLaid[static_cast<std::size_t>(laid)] == INT_MIN) continue;
      best = std::max(best, byLaid[static_cast<std::size_t>(laid)] +
                                leaves_->BestOfSize(leaves_->Tiles() - laid));
    }
    return best;
  }

  bool CanStop(const AnchorEntry& entry) const {
    return (goal_ == Goal::Top ? entry.upper : entry.equity) < bar_;
  }

  void Walk(const AnchorEntry& entry) {
    direction_ = entry.direction;
    line_ = entry.line;
    squares_ = lines_[static_cast<std::size_t>(direction_ * kBoardSize + line_)].data();
    lineTiles_ = TilesOf(direction_, line_) << 1;
    anchorTouchesTile_ = entry.touches;
    PreparePenalties();
    PrepareUppers(entry);
    Anchor(entry.position, entry.previous);
  }

  // What the words still to be found from the anchor can be worth, by the tiles laid before it
  // and after it, from the bound of each run of free squares they may cover: a word is given up
  // as soon as none it can grow into would count.
  void PrepareUppers(const AnchorEntry& entry) {
    constexpr double kNone = -std::numeric_limits<double>::infinity();
    if (lowestOnly_) {
      leftUpper_.fill(kNone);
      for (auto& row : rightUpper_) row.fill(kNone);
      return;
    }
    const KeptRuns& runs = runBounds_[static_cast<std::size_t>(entry.order)];
    leftUpper_[kRackSize] = kNone;
    for (int before = kRackSize - 1; before >= 0; --before) {
      auto& right = rightUpper_[static_cast<std::size_t>(before)];
      right[kRackSize] = kNone;
      for (int after = kRackSize - 1; after >= 0; --after) {
        const int bound = runs[static_cast<std::size_t>(before)][static_cast<std::size_t>(after)];
        double worth = kNone;
        if (bound == kNoLimit) {
          worth = std::numeric_limits<double>::infinity();
        } else if (bound != kNoRun) {
          worth = bound;
          if (goal_ == Goal::Best)
            worth += leaves_->BestOfSize(leaves_->Tiles() - before - after - 1);
        }
        right[static_cast<std::size_t>(after)] =
            std::max(worth, right[static_cast<std::size_t>(after + 1)]);
      }
      leftUpper_[static_cast<std::size_t>(before)] =
          std::max(right[0], leftUpper_[static_cast<std::size_t>(before + 1)]);
    }
  }

  // The runs' bounds as the walk reads them, kept small. A board of the user's own may make a
  // bound too high for them: that run then limits nothing.
  static void KeepRuns(const RunBounds& runs, KeptRuns& kept) {
    for (int before = 0; before < kRackSize; ++before) {
      for (int after = 0; after < kRackSize; ++after) {
        const int bound = runs[static_cast<std::size_t>(before)][static_cast<std::size_t>(after)];
        kept[static_cast<std::size_t>(before)][static_cast<std::size_t>(after)] =
            bound == INT_MIN
                ? kNoRun
                : static_cast<std::int16_t>(std::clamp<int>(bound, kNoRun + 1, kNoLimit));
      }
    }
  }

  // Whether no word grown on from here, worth at most `upper`, can be kept: it cannot reach
  // the bar, and for the highest-scoring moves, cannot score as low as the lowest either.
  // `penalty()` is the most the free squares it may still cover can take off.
  template <typename Penalty>
  bool Hopeless(double upper, Sums sums, Penalty penalty) const {
    return upper < bar_ && (goal_ != Goal::Top || Lowest(sums) - penalty() > lowest_);
  }

  // The penalties of the free squares of the line worked on, counted again where a cross word
  // takes them too, as running sums from its start: a word can only cover the free squares
  // nearest its ends, as many as the tiles left.
  void PreparePenalties() {
    int free = 0;
    for (int i = 0; i < kBoardSize; ++i) {
      const LineSquare& square = squares_[static_cast<std::size_t>(i)];
      freeBefore_[static_cast<std::size_t>(i)] = free;
      if (square.tile != 0) continue;
      penaltyUpTo_[static_cast<std::size_t>(free + 1)] =
          penaltyUpTo_[static_cast<std::size_t>(free)] +
          square.premium.penalty * (square.cross ? 2 : 1);
      ++free;
    }
    freeBefore_[kBoardSize] = free;
  }

  // The most the free squares from `position` on can take off a word with `left` tiles to lay.
  int PenaltyFrom(int position, int left) const {
    const int first = freeBefore_[static_cast<std::size_t>(position)];
    const int last = std::min(freeBefore_[kBoardSize], first + left);
    return penaltyUpTo_[static_cast<std::size_t>(last)] -
           penaltyUpTo_[static_cast<std::size_t>(first)];
  }

  // The most the free squares before `position`, back to the anchor before, can take off a word
  // with `left` tiles to lay.
  int PenaltyBefore(int position, int left) const {
    const int last = freeBefore_[static_cast<std::size_t>(position)];
    const int first = std::max(freeBefore_[static_cast<std::size_t>(leftEdge_ + 1)], last - left);
    return penaltyUpTo_[static_cast<std::size_t>(last)] -
           penaltyUpTo_[static_cast<std::size_t>(first)];
  }

  // For each square of the line: its tile, its premium, and for an empty one the letters that
  // make a word with the tiles across the line through it (all letters when none touch it) and
  // the plain value of those tiles.
  void PrepareLine(std::uint32_t tiles, std::uint32_t beside) {
    for (int i = 0; i < kBoardSize; ++i) {
      LineSquare& info = squares_[static_cast<std::size_t>(i)];
      info = CellAt(i);
      if ((tiles >> i & 1) != 0 || (beside >> i & 1) == 0 || gaddag_ == nullptr) continue;
      info.cross = true;
      // The tiles across the line: those before the square and those after it.
      const int across = 1 - direction_;
      const std::uint32_t run = TilesOf(across, i);
      std::array<char, kBoardSize> word{};
      int before = 0;
      while (line_ - before - 1 >= 0 && (run >> (line_ - before - 1) & 1) != 0) ++before;
      int length = 0;
      for (int k = line_ - before; k < line_; ++k)
        word[static_cast<std::size_t>(length++)] = Across(i, k);
      const int at = length++;
      for (int k = line_ + 1; k < kBoardSize && (run >> k & 1) != 0; ++k) {
        word[static_cast<std::size_t>(length++)] = Across(i, k);
      }
      // Only the rack's letters can be laid there, any letter with a blank.
      info.allowed = CrossLetters(word, at, length, rack_[kBlank] > 0 ? kAllLetters : onRack_);
      for (int k = 0; k < length; ++k) {
        if (k != at) info.crossSum += AcrossValue(i, line_ - at + k);
      }
      info.crossWord = info.premium.word;
      info.extra = info.crossSum * info.premium.word - 2 * info.premium.penalty;
    }
  }

  // The tile at `position` of the line across this one that crosses it at `crossing`.
  const LineSquare& AcrossCell(int crossing, int position) const {
    const int r = direction_ == 0 ? position : crossing;
    const int c = direction_ == 0 ? crossing : position;
    return cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
  }
  char Across(int crossing, int position) const { return AcrossCell(crossing, position).tile; }
  int AcrossValue(int crossing, int position) const {
    return AcrossCell(crossing, position).tileValue;
  }

  // Of the letters `wanted`, those that make a whole word of `word` with the square at `at`
  // filled. The GADDAG holds every word from each of its letters backwards to its start, then
  // the separator and the rest: walked in once from one side of the square, the letters are
  // the edges that follow, and each goes on over the tiles on the other side, whichever of the
  // two is shorter.
  std::uint32_t CrossLetters(const std::array<char, kBoardSize>& word, int at, int length,
                             std::uint32_t wanted) const {
    auto step = [&](std::uint32_t node, int k) {
      if (node == 0) return Gaddag::kNone;
      return gaddag_->Find(node, CodeOfTile(word[static_cast<std::size_t>(k)]));
    };
    const bool fromAfter = at <= length - 1 - at;
    std::uint32_t node = gaddag_->Root();
    if (fromAfter) {
      // The word backwards from its last letter: the square's letter comes after those after it.
      for (int k = length - 1; k > at; --k) {
        const std::uint32_t edge = step(node, k);
        if (edge == Gaddag::kNone) return 0;
        node = Gaddag::Next(gaddag_->At(edge));
      }
    } else {
      // From the letter before the square back to the start, then forwards after the separator.
      for (int k = at - 1; k >= 0; --k) {
        const std::uint32_t edge = step(node, k);
        if (edge == Gaddag::kNone) return 0;
        node = Gaddag::Next(gaddag_->At(edge));
      }
      const std::uint32_t separator =
          node == 0 ? Gaddag::kNone : gaddag_->Find(node, Gaddag::kSeparator);
      if (separator == Gaddag::kNone) return 0;
      node = Gaddag::Next(gaddag_->At(separator));
    }
    if (node == 0) return 0;
    std::uint32_t allowed = 0;
    std::uint32_t letters = (gaddag_->Codes(node) >> 1) & wanted;
    while (letters != 0) {
      const int letter = std::countr_zero(letters);
      letters &= letters - 1;
      Gaddag::Edge edge = gaddag_->At(gaddag_->Find(node, letter + 1));
      // The rest: before the square going back, or after it going on.
      const int first = fromAfter ? at - 1 : at + 1;
      const int end = fromAfter ? -1 : length;
      const int delta = fromAfter ? -1 : 1;
      bool whole = true;
      for (int k = first; k != end; k += delta) {
        const std::uint32_t found = step(Gaddag::Next(edge), k);
        if (found == Gaddag::kNone) {
          whole = false;
          break;
        }
        edge = gaddag_->At(found);
      }
      if (whole && Gaddag::Whole(edge)) allowed |= Bit(letter);
    }
    return allowed;
  }

  // Seven free squares of a line taking in an anchor, and the tiles between and at their ends:
  // where a move laying the whole rack may go.
  struct WholeRackSpan {
    AnagramKeys::Key tiles;  // the letters of the tiles in it
    std::int8_t direction;
    std::int8_t line;
    std::int8_t start;
    std::int8_t end;     // its last square
    std::int8_t anchor;  // the first anchor in it, which the walk would find the move from
    bool touches;
    int least;     // the least a move on it can score
    double worth;  // the most a move on it can be worth
    bool skipped;  // passed over, as none of its moves could reach the bar
  };
  // The spans that take in the same tiles.
  struct SpanGroup {
    std::int16_t first;
    std::int16_t last;
    double worth;  // the most of its spans
  };

  // Every move laying the whole rack that may count, found before the walk so that the bar
  // rises early: the words of the rack's letters and a span's tiles (a blank standing for each
  // letter in turn), fitted to the spans with those tiles, the most promising spans first.
  void FindWholeRackMoves() {
    // The leave of a move laying every tile.
    const int savedLeave = leaveIndex_;
    for (int code = 0; code <= kBlank; ++code) {
      leaveIndex_ -=
          rack_[static_cast<std::size_t>(code)] * leaveStride_[static_cast<std::size_t>(code)];
    }
    const double leave = goal_ == Goal::Best ? leaves_->Value(leaveIndex_) : 0;
    int count = 0;
    for (int direction = 0; direction < 2; ++direction) {
      for (int line = 0; line < kBoardSize; ++line) {
        const auto index = static_cast<std::size_t>(direction * kBoardSize + line);
        if ((lineMask_[static_cast<std::size_t>(direction)] >> line & 1) == 0 ||
            lineAnchors_[index] == 0) {
          continue;
        }
        NoteSpans(direction, line, lineAnchors_[index], lineTouching_[index], leave, count);
      }
    }
    const auto first = spans_.begin();
    std::sort(first, first + count, [](const WholeRackSpan& a, const WholeRackSpan& b) {
      return a.tiles != b.tiles ? a.tiles < b.tiles : a.worth > b.worth;
    });
    int groups = 0;
    for (int i = 0; i < count;) {
      int next = i + 1;
      while (next < count && spans_[static_cast<std::size_t>(next)].tiles ==
                                 spans_[static_cast<std::size_t>(i)].tiles) {
        ++next;
      }
      groups_[static_cast<std::size_t>(groups++)] = {static_cast<std::int16_t>(i),
                                                     static_cast<std::int16_t>(next),
                                                     spans_[static_cast<std::size_t>(i)].worth};
      i = next;
    }
    // The most promising first, so that the bar rises early.
    std::sort(groups_.begin(), groups_.begin() + groups,
              [](const SpanGroup& a, const SpanGroup& b) { return a.worth > b.worth; });
    AnagramKeys::Key rackKey = 0;
    for (int letter = 0; letter < 26; ++letter) {
      rackKey += static_cast<AnagramKeys::Key>(rack_[static_cast<std::size_t>(letter)]) *
                 AnagramKeys::KeyOf(letter);
    }
    rackKey_ = rackKey;
    for (int g = 0; g < groups; ++g) {
      const SpanGroup& group = groups_[static_cast<std::size_t>(g)];
      // Moves below the bar are passed over; for the highest-scoring moves a span passed over
      // is come back to when the walk has found moves scoring as low as it can.
      bool any = false;
      for (int k = group.first; k < group.last; ++k) {
        WholeRackSpan& span = spans_[static_cast<std::size_t>(k)];
        span.skipped = span.worth < bar_;
        any = any || !span.skipped;
      }
      if (any) SpellGroup(group);
    }
    groupCount_ = groups;
    leaveIndex_ = savedLeave;
  }

  // The words the group's spans may hold, kept on those not passed over.
  void SpellGroup(const SpanGroup& group) {
    const AnagramKeys::Key key = rackKey_ + spans_[static_cast<std::size_t>(group.first)].tiles;
    AnagramKeys::ForEachBlanking(key, rack_[kBlank], [&](AnagramKeys::Key letters, int a, int b) {
      spanBlanks_ = {a, b};
      wholeRackWords_->ForEachWord(letters, [&](std::string_view word) { Fit(group, word); });
      return false;
    });
  }

  // For the highest-scoring moves, once the walk is done: the spans passed over where a move
  // may score as low as the lowest found.
  void FindLowestWholeRackMoves() {
    for (int g = 0; g < groupCount_; ++g) {
      const SpanGroup& group = groups_[static_cast<std::size_t>(g)];
      bool any = false;
      for (int k = group.first; k < group.last; ++k) {
        WholeRackSpan& span = spans_[static_cast<std::size_t>(k)];
        // Those spelt already are passed over now.
        span.skipped = !span.skipped || span.least > lowest_;
        any = any || !span.skipped;
      }
      if (any) SpellGroup(group);
    }
  }

  // The spans of a line with the anchors and touching squares given, added at spans_[count].
  void NoteSpans(int direction, int line, std::uint32_t anchors, std::uint32_t touching,
                 double leave, int& count) {
    const LineSquares& squares = lines_[static_cast<std::size_t>(direction * kBoardSize + line)];
    std::array<int, kBoardSize> free{};
    int frees = 0;
    AnagramKeys::Key tilesBefore[kBoardSize + 1];
    tilesBefore[0] = 0;
    const std::uint32_t laid = rack_[kBlank] > 0 ? kAllLetters : onRack_;
    for (int i = 0; i < kBoardSize; ++i) {
      const LineSquare& square = squares[static_cast<std::size_t>(i)];
      tilesBefore[i + 1] = tilesBefore[i];
      if (square.tile == 0) {
        // A square no rack tile can be laid on ends every span before it.
        free[static_cast<std::size_t>(frees++)] = (square.allowed & laid) != 0 ? i : -1;
      } else if (IsUpperLetter(square.tile)) {
        tilesBefore[i + 1] += AnagramKeys::KeyOf(square.tile - 'A');
      }
    }
    for (int s = 0; s + kRackSize <= frees; ++s) {
      std::uint32_t covered = 0;
      bool open = true;
      for (int k = s; k < s + kRackSize && open; ++k) {
        open = free[static_cast<std::size_t>(k)] >= 0;
        if (open) covered |= Bit(free[static_cast<std::size_t>(k)]);
      }
      if (!open || (covered & anchors) == 0) continue;
      int start = free[static_cast<std::size_t>(s)];
      while (start > 0 && squares[static_cast<std::size_t>(start - 1)].tile != 0) --start;
      int end = free[static_cast<std::size_t>(s + kRackSize - 1)];
      while (end + 1 < kBoardSize && squares[static_cast<std::size_t>(end + 1)].tile != 0) ++end;
      WholeRackSpan& span = spans_[static_cast<std::size_t>(count++)];
      span.tiles = tilesBefore[end + 1] - tilesBefore[start];
      span.direction = static_cast<std::int8_t>(direction);
      span.line = static_cast<std::int8_t>(line);
      span.start = static_cast<std::int8_t>(start);
      span.end = static_cast<std::int8_t>(end);
      const int anchor = std::countr_zero(covered & anchors);
      span.anchor = static_cast<std::int8_t>(anchor);
      span.touches = (touching >> anchor & 1) != 0;
      const ScoreRange range = WholeRackRange(squares, start, end, rackForBounds_, bonus_);
      span.least = range.least;
      span.worth = range.most + leave;
    }
  }

  // Keeps the word on each of the group's spans it fits: its letters on the tiles, and on the
  // free squares letters the words across allow.
  void Fit(const SpanGroup& group, std::string_view word) {
    for (int k = group.first; k < group.last; ++k) {
      const WholeRackSpan& span = spans_[static_cast<std::size_t>(k)];
      if (span.skipped || (goal_ == Goal::Best && span.worth < bar_)) continue;
      const LineSquare* squares =
          lines_[static_cast<std::size_t>(span.direction * kBoardSize + span.line)].data();
      bool fits = static_cast<int>(word.size()) == span.end - span.start + 1;
      for (int p = span.start; p <= span.end && fits; ++p) {
        const int letter = word[static_cast<std::size_t>(p - span.start)];
        const LineSquare& square = squares[p];
        fits = square.tile != 0 ? square.tile == 'A' + letter : (square.allowed >> letter & 1) != 0;
      }
      if (!fits) continue;
      direction_ = span.direction;
      line_ = span.line;
      anchor_ = span.anchor;
      anchorTouchesTile_ = span.touches;
      squares_ = lines_[static_cast<std::size_t>(direction_ * kBoardSize + line_)].data();
      spanStart_ = span.start;
      spanEnd_ = span.end;
      for (int p = span.start; p <= span.end; ++p) {
        if (squares[p].tile == 0) {
          word_[static_cast<std::size_t>(p)] =
              static_cast<std::uint8_t>('A' + word[static_cast<std::size_t>(p - span.start)]);
        }
      }
      KeepSpelt();
    }
  }

  // The word spelt on the span, kept once for every way the blanks may lie among the squares of
  // the letters they stand for.
  void KeepSpelt() {
    const auto [a, b] = spanBlanks_;
    if (a < 0) {
      KeepSpeltWith(0);
      return;
    }
    // The free squares of each letter a blank stands for, as bits.
    std::uint32_t ofA = 0;
    std::uint32_t ofB = 0;
    for (int p = spanStart_; p <= spanEnd_; ++p) {
      if (squares_[static_cast<std::size_t>(p)].tile != 0) continue;
      const int letter = word_[static_cast<std::size_t>(p)] - 'A';
      if (letter == a) ofA |= Bit(p);
      if (letter == b) ofB |= Bit(p);
    }
    for (std::uint32_t first = ofA; first != 0; first &= first - 1) {
      const std::uint32_t one = first & (~first + 1);
      if (b < 0) {
        KeepSpeltWith(one);
      } else {
        // The second among the rest of its letter's squares, or one of the other letter's.
        for (std::uint32_t second = a == b ? first & (first - 1) : ofB; second != 0;
             second &= second - 1) {
          KeepSpeltWith(one | (second & (~second + 1)));
        }
      }
    }
  }

  // Keeps the word spelt on the span, with blanks on the squares given as bits.
  void KeepSpeltWith(std::uint32_t blanks) {
    Sums sums;
    for (int p = spanStart_; p <= spanEnd_; ++p) {
      const LineSquare& square = squares_[static_cast<std::size_t>(p)];
      if (square.tile != 0) {
        sums = Taken(sums, p);
        continue;
      }
      std::uint8_t& letter = word_[static_cast<std::size_t>(p)];
      letter &= static_cast<std::uint8_t>(~kLaidBlank);
      const bool blank = (blanks >> p & 1) != 0;
      if (blank) letter |= kLaidBlank;
      sums = Laid(sums, square, blank ? 0 : values_[static_cast<std::size_t>(letter - 'A')]);
    }
    Record(spanStart_, spanEnd_ + 1, sums);
  }

  // A tile's code in the GADDAG; a character no word has gets a code no node has.
  static int CodeOfTile(char tile) { return IsUpperLetter(tile) ? Gaddag::CodeOf(tile) : 31; }

  void Anchor(int anchor, int previous) {
    anchor_ = anchor;
    leftEdge_ = previous;
    // Every word from an anchor that tiles follow takes those tiles too: the walk starts at the
    // last of them, so that their letters choose the way at once.
    rightEnd_ = anchor;
    while (Occupied(rightEnd_ + 1)) ++rightEnd_;
    std::uint32_t node = gaddag_->Root();
    Sums sums;
    for (int position = rightEnd_; position > anchor; --position) {
      const std::uint32_t at =
          gaddag_->Find(node, squares_[static_cast<std::size_t>(position)].tileCode);
      if (at == Gaddag::kNone) return;
      sums = Taken(sums, position);
      node = Gaddag::Next(gaddag_->At(at));
      if (node == 0) return;
    }
    ForEachPlacement(node, anchor, sums,
                     [&](std::uint32_t edge, Sums laid) { ArriveLeft(anchor, edge, laid); });
  }

  // Lays every rack tile the node's edges allow on the empty square at `position` (a real tile
  // before a blank), and calls `next` with the edge of each and the sums with the tile laid.
  // Inlined into each caller, so that a step down the tree costs one call.
  template <typename Next>
  [[gnu::always_inline]] inline void ForEachPlacement(std::uint32_t node, int position, Sums sums,
                                                      Next&& next) {
    if (sums.placed >= mostLaid_) return;
    const LineSquare& square = squares_[static_cast<std::size_t>(position)];
    const bool blankOnRack = rack_[kBlank] > 0;
    const std::uint32_t codes = gaddag_->Codes(node);
    // Only the letters the node goes on with, the square takes and the rack can lay.
    std::uint32_t letters = (codes >> 1) & square.allowed & (blankOnRack ? kAllLetters : onRack_);
    while (letters != 0) {
      const int letter = std::countr_zero(letters);
      letters &= letters - 1;
      const std::uint32_t at =
          node + 1 + static_cast<std::uint32_t>(CountBits(codes & ((2u << letter) - 1)));
      int& count = rack_[static_cast<std::size_t>(letter)];
      if (count > 0) {
        --count;
        onRack_ &= ~(static_cast<std::uint32_t>(count == 0) << letter);
        word_[static_cast<std::size_t>(position)] = static_cast<std::uint8_t>('A' + letter);
        leaveIndex_ -= leaveStride_[static_cast<std::size_t>(letter)];
        next(at, Laid(sums, square, values_[static_cast<std::size_t>(letter)]));
        leaveIndex_ += leaveStride_[static_cast<std::size_t>(letter)];
        ++count;
        onRack_ |= 1u << letter;
      }
      if (blankOnRack) {
        --rack_[kBlank];
        leaveIndex_ -= leaveStride_[kBlank];
        word_[static_cast<std::size_t>(position)] =
            static_cast<std::uint8_t>(('A' + letter) | kLaidBlank);
        next(at, Laid(sums, square, 0));
        leaveIndex_ += leaveStride_[kBlank];
        ++rack_[kBlank];
      }
    }
  }

  // The sums once a tile of `value` points (0 for a blank) lies on the square.
  static Sums Laid(Sums sums, const LineSquare& square, int value) {
    const int letterScore = value * square.premium.letter;
    sums.letters += letterScore;
    sums.multiplier *= square.premium.word;
    sums.extra += letterScore * square.crossWord + square.extra;
    ++sums.placed;
    return sums;
  }

  // A tile already on the board becomes part of the word.
  Sums Taken(Sums sums, int position) {
    const LineSquare& square = squares_[static_cast<std::size_t>(position)];
    word_[static_cast<std::size_t>(position)] = static_cast<std::uint8_t>(square.tile);
    sums.letters += square.tileValue;
    return sums;
  }

  // Whether a tile lies at `position` of the line worked on; none beyond its ends.
  bool Occupied(int position) const { return (lineTiles_ >> (position + 1) & 1) != 0; }

  // The letter at `position` (the anchor or a square before it) was just laid or taken, going
  // left, by the edge at `at`; the word so far runs from there to rightEnd_.
  void ArriveLeft(int position, std::uint32_t at, Sums sums) {
    if (goal_ != Goal::All &&
        Hopeless(leftUpper_[static_cast<std::size_t>(sums.placed - 1)], sums, [&] {
          const int left = rackForBounds_.size - sums.placed;
          return PenaltyBefore(position, left) + PenaltyFrom(rightEnd_ + 1, left);
        })) {
      return;
    }
    const Gaddag::Edge edge = gaddag_->At(at);
    const bool startsHere = !Occupied(position - 1);
    if (Gaddag::Whole(edge) && startsHere) Record(position, rightEnd_ + 1, sums);
    const std::uint32_t node = Gaddag::Next(edge);
    if (node == 0) return;
    const int left = position - 1;
    if (left >= 0) {
      if (Occupied(left)) {
        const std::uint32_t next =
            gaddag_->Find(node, squares_[static_cast<std::size_t>(left)].tileCode);
        if (next != Gaddag::kNone) ArriveLeft(left, next, Taken(sums, left));
      } else if (left > leftEdge_) {
        ForEachPlacement(node, left, sums,
                         [&](std::uint32_t next, Sums laid) { ArriveLeft(left, next, laid); });
      }
    }
    // The separator, when there is one, is a node's first edge.
    if (startsHere && rightEnd_ + 1 < kBoardSize && (gaddag_->Codes(node) & 1) != 0) {
      const std::uint32_t right = Gaddag::Next(gaddag_->At(gaddag_->FirstEdge(node)));
      if (right != 0) {
        const int saved = wordStart_;
        const int savedBefore = laidBefore_;
        wordStart_ = position;
        laidBefore_ = sums.placed - 1;
        GoRight(rightEnd_ + 1, right, sums);
        wordStart_ = saved;
        laidBefore_ = savedBefore;
      }
    }
  }

  // The word so far ends before `position`; `node` says how it may go on.
  void GoRight(int position, std::uint32_t node, Sums sums) {
    if (Occupied(position)) {
      const std::uint32_t next =
          gaddag_->Find(node, squares_[static_cast<std::size_t>(position)].tileCode);
      if (next != Gaddag::kNone) ArriveRight(position, next, Taken(sums, position));
      return;
    }
    ForEachPlacement(node, position, sums,
                     [&](std::uint32_t next, Sums laid) { ArriveRight(position, next, laid); });
  }

  void ArriveRight(int position, std::uint32_t at, Sums sums) {
    if (goal_ != Goal::All &&
        Hopeless(rightUpper_[static_cast<std::size_t>(laidBefore_)]
                            [static_cast<std::size_t>(sums.placed - 1 - laidBefore_)],
                 sums,
                 [&] { return PenaltyFrom(position + 1, rackForBounds_.size - sums.placed); })) {
      return;
    }
    const Gaddag::Edge edge = gaddag_->At(at);
    if (Gaddag::Whole(edge) && !Occupied(position + 1)) Record(wordStart_, position + 1, sums);
    const std::uint32_t node = Gaddag::Next(edge);
    if (node != 0 && position + 1 < kBoardSize) GoRight(position + 1, node, sums);
  }

  // The least any word grown on from here can score before penalties still to come: letters,
  // premiums and cross words only add.
  int Lowest(Sums sums) const { return sums.letters * sums.multiplier + sums.extra; }

  void Record(int start, int end, Sums sums) {
    const int length = end - start;
    if (length < 2) return;
    // A word through an anchor that touches a tile, or any word on an empty board, joins the
    // board; only a stray anchor mark needs the full test.
    if (!anchorTouchesTile_ && !boardEmpty_ &&
        !board_.IsConnected(RowOf(start), ColumnOf(start), direction_, length)) {
      return;
    }
    const int total =
        sums.letters * sums.multiplier + sums.extra + (sums.placed >= kRackSize ? bonus_ : 0);
    if (goal_ == Goal::Best) {
      KeepIfBest(start, length, sums, total);
      return;
    }
    if (goal_ == Goal::Top) {
      // Below the cut and above the lowest, a move can never be used.
      if (total < cut_.Threshold() && total > lowest_) return;
      cut_.Add(total);
      lowest_ = std::min(lowest_, total);
      if (cut_.Full()) bar_ = cut_.Threshold();
    }
    Fill(out_.items_.emplace_back(), start, length, sums, total);
  }

  void Fill(Candidate& candidate, int start, int length, Sums sums, int total) const {
    candidate.total = total;
    candidate.direction = static_cast<std::uint8_t>(direction_);
    candidate.line = static_cast<std::uint8_t>(line_);
    candidate.anchor = static_cast<std::uint8_t>(anchor_);
    candidate.start = static_cast<std::uint8_t>(start);
    candidate.length = static_cast<std::uint8_t>(length);
    candidate.placed = static_cast<std::uint8_t>(sums.placed);
    candidate.blanks = 0;
    for (int i = 0; i < length; ++i) {
      const std::uint8_t letter = word_[static_cast<std::size_t>(start + i)];
      candidate.word[static_cast<std::size_t>(i)] = static_cast<char>(letter & ~kLaidBlank);
      if ((letter & kLaidBlank) != 0) {
        candidate.blanks = static_cast<std::uint16_t>(candidate.blanks | (1u << i));
      }
    }
  }

  // Keeps the move among the best by equity, best first, equal equities in the search's order.
  void KeepIfBest(int start, int length, Sums sums, int total) {
    const double equity = total + leaves_->Value(leaveIndex_);
    std::vector<Candidate>& items = out_.items_;
    std::vector<double>& equities = *equities_;
    const bool full = items.size() == static_cast<std::size_t>(keep_);
    if (full && equity < equities.back()) return;
    Candidate candidate;
    Fill(candidate, start, length, sums, total);
    std::size_t at = items.size();
    while (at > 0 && (equity > equities[at - 1] ||
                      (equity == equities[at - 1] && out_.Before(candidate, items[at - 1])))) {
      --at;
    }
    if (full) {
      if (at == items.size()) return;
      items.pop_back();
      equities.pop_back();
    }
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), candidate);
    equities.insert(equities.begin() + static_cast<std::ptrdiff_t>(at), equity);
    if (useBounds_ && items.size() == static_cast<std::size_t>(keep_)) bar_ = equities.back();
  }

  using Bits = std::array<std::uint32_t, kBoardSize>;

  Board& board_;
  const int bonus_;
  Candidates& out_;
  const bool boardEmpty_;
  const Goal goal_;
  const int keep_;
  ScoreCut cut_;
  RackForBounds rackForBounds_;
  BingoCheck bingo_;
  const RackLeaves* leaves_ = nullptr;
  bool useBounds_ = true;
  std::vector<double>* equities_ = nullptr;
  std::vector<AnchorBound>* bounds_ = nullptr;
  std::array<std::uint32_t, 2> lineMask_{~0u, ~0u};  // the rows and the columns searched
  std::array<AnchorEntry, 2 * kBoardSize * kBoardSize> anchors_{};
  std::array<KeptRuns, 2 * kBoardSize * kBoardSize> runBounds_;  // by the anchors' order
  int anchorCount_ = 0;
  int lowest_ = INT_MAX;  // the lowest score found
  // What a word must be worth to be kept, once as many as wanted are: a score for the
  // highest-scoring moves, an equity for the best.
  double bar_ = -std::numeric_limits<double>::infinity();
  bool lowestOnly_ = false;                        // searching on only for scores as low as that
  std::array<int, kBoardSize + 1> freeBefore_{};   // the free squares before each square
  std::array<int, kBoardSize + 1> penaltyUpTo_{};  // the penalties of the first free squares
  const Gaddag* gaddag_ = nullptr;
  std::array<int, 27> rack_{};
  std::uint32_t onRack_ = 0;  // the letters the rack holds, as bits
  Bits marks_{};              // the squares marked as anchors, as bits along each row
  Bits rowTiles_{};
  Bits columnTiles_{};
  std::array<std::array<LineSquare, kBoardSize>, kBoardSize> cells_{};
  Square lastAnchor_;
  int direction_ = 0;
  int line_ = 0;
  int anchor_ = 0;
  int leftEdge_ = -1;
  int rightEnd_ = 0;  // the last square of the tiles that follow the anchor, or the anchor
  int wordStart_ = 0;
  int laidBefore_ = 0;  // going right: the tiles laid before the anchor
  // Going left, by the tiles laid before the anchor; going right, by those and the tiles laid
  // after it: the most a word grown on can be worth.
  std::array<double, kRackSize + 1> leftUpper_{};
  std::array<std::array<double, kRackSize + 1>, kRackSize> rightUpper_{};
  bool anchorTouchesTile_ = false;
  // Moves laying the whole rack, when found apart from the walk: the words their letters may
  // form, the spans they may lie on, and the one worked on.
  const AnagramKeys* wholeRackWords_ = nullptr;
  int mostLaid_ = kRackSize;  // the most tiles the walk lays
  std::array<std::uint32_t, 2 * kBoardSize> lineAnchors_{};
  std::array<std::uint32_t, 2 * kBoardSize> lineTouching_{};
  std::array<WholeRackSpan, 2 * kBoardSize*(kBoardSize - kRackSize + 1)> spans_;
  std::array<SpanGroup, 2 * kBoardSize*(kBoardSize - kRackSize + 1)> groups_;
  int groupCount_ = 0;
  AnagramKeys::Key rackKey_ = 0;  // the rack's tiles but its blanks
  int spanStart_ = 0;
  int spanEnd_ = 0;
  std::array<int, 2> spanBlanks_{};  // the letters the blanks stand for, -1 for none
  // By equity, the leave of the tiles still on the rack, followed as tiles are laid.
  int leaveIndex_ = 0;
  std::array<int, 27> leaveStride_{};
  std::array<LineSquares, 2 * kBoardSize> lines_{};  // every line's squares, once prepared
  LineSquare* squares_ = nullptr;                    // the squares of the line worked on
  // The word being grown, by square: a letter, with kLaidBlank when a blank was laid for it.
  static constexpr std::uint8_t kLaidBlank = 0x80;
  std::array<std::uint8_t, kBoardSize> word_{};
  std::uint32_t lineTiles_ = 0;  // the tiles of the line worked on, as bits from its square -1
  std::array<int, 26> values_{};
};

void FindCandidates(Board& board, std::string_view rack, int bonus, Candidates& out) {
  Search(board, rack, bonus, out).Run();
}

void FindTopCandidates(Board& board, std::string_view rack, int bonus, int keep, Candidates& out) {
  if (keep <= 0 || rack.substr(0, kRackSize).find('?') == std::string_view::npos) {
    FindCandidates(board, rack, bonus, out);
    return;
  }
  Search(board, rack, bonus, out, Search::Goal::Top, keep).Run();
}

void FindBestCandidates(Board& board, std::string_view rack, int bonus, const RackLeaves& leaves,
                        int count, Candidates& out, std::vector<double>& equities, bool useBounds) {
  Search search(board, rack, bonus, out, Search::Goal::Best, std::max(count, 1));
  search.SetLeaves(leaves, equities, useBounds);
  search.Run();
}

void FindBestCandidatesInLines(Board& board, std::string_view rack, int bonus,
                               const RackLeaves& leaves, int count, std::uint32_t rows,
                               std::uint32_t columns, Candidates& out,
                               std::vector<double>& equities) {
  Search search(board, rack, bonus, out, Search::Goal::Best, std::max(count, 1));
  search.SetLeaves(leaves, equities, true);
  search.SetLines(rows, columns);
  search.Run();
}

std::vector<AnchorBound> AnchorBounds(Board& board, std::string_view rack, int bonus) {
  Candidates out;
  std::vector<AnchorBound> bounds;
  Search search(board, rack, bonus, out, Search::Goal::Bounds);
  search.SetBounds(bounds);
  search.Run();
  return bounds;
}

Candidates FindCandidates(Board& board, std::string_view rack, int bonus) {
  Candidates out;
  FindCandidates(board, rack, bonus, out);
  return out;
}

std::vector<Move> GenerateMoves(Board& board, std::string_view rack, int bonus) {
  return FindCandidates(board, rack, bonus).ToMoves();
}

void MarkCentreAnchor(Board& board) {
  if (board.IsBoardEmpty()) board.SquareAt(7, 7)->anchor = 1;
}

}  // namespace lumiquad
