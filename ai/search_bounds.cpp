#include "ai/search_bounds.h"

#include <algorithm>
#include <climits>

#include "model/player.h"
#include "model/square.h"
#include "words/anagram_keys.h"

namespace lumiquad {

Premium PremiumOf(char kind) {
  switch (KindOf(kind)) {
    case SquareKind::DoubleLetter:
      return {2, 1, 0};
    case SquareKind::TripleLetter:
      return {3, 1, 0};
    case SquareKind::QuadLetter:
      return {4, 1, 0};
    case SquareKind::DoubleWord:
      return {1, 2, 0};
    case SquareKind::TripleWord:
      return {1, 3, 0};
    case SquareKind::QuadWord:
      return {1, 4, 0};
    case SquareKind::Minus5:
      return {1, 1, 5};
    case SquareKind::Minus10:
      return {1, 1, 10};
    case SquareKind::Plain:
      break;
  }
  return {};
}

bool BingoCheck::Possible(AnagramKeys::Key boardLetters) {
  if (anagrams_ == nullptr) return true;
  for (int i = 0; i < size_; ++i) {
    if (remembered_[static_cast<std::size_t>(i)].letters == boardLetters) {
      return remembered_[static_cast<std::size_t>(i)].possible;
    }
  }
  AnagramKeys::Key key = boardLetters;
  for (int letter = 0; letter < 26; ++letter) {
    key += static_cast<AnagramKeys::Key>(rack_.counts[static_cast<std::size_t>(letter)]) *
           AnagramKeys::KeyOf(letter);
  }
  // A blank may stand for any letter: one or two of them try every letter, or pair of letters.
  const int blanks = rack_.counts[26];
  const bool possible = blanks > 2 || AnagramKeys::ForEachBlanking(
                                          key, blanks, [&](AnagramKeys::Key letters, int, int) {
                                            return anagrams_->FormsWord(letters);
                                          });
  if (size_ < static_cast<int>(remembered_.size())) {
    remembered_[static_cast<std::size_t>(size_++)] = {boardLetters, possible};
  }
  return possible;
}

void RackForBounds::SortLetters() {
  letters = 0;
  for (int letter = 0; letter < 26; ++letter) {
    if (counts[static_cast<std::size_t>(letter)] == 0 ||
        letters == static_cast<int>(byValue.size()))
      continue;
    int at = letters++;
    const int value = letterValues[static_cast<std::size_t>(letter)];
    while (at > 0 &&
           letterValues[static_cast<std::size_t>(byValue[static_cast<std::size_t>(at - 1)])] <
               value) {
      byValue[static_cast<std::size_t>(at)] = byValue[static_cast<std::size_t>(at - 1)];
      --at;
    }
    byValue[static_cast<std::size_t>(at)] = static_cast<std::int8_t>(letter);
  }
}

namespace {

// The highest value of a rack letter the square takes, or -1 when it takes none.
int Cap(const LineSquare& square, const RackForBounds& rack) {
  for (int i = 0; i < rack.letters; ++i) {
    const int letter = rack.byValue[static_cast<std::size_t>(i)];
    if ((square.allowed >> letter & 1) != 0) {
      return rack.letterValues[static_cast<std::size_t>(letter)];
    }
  }
  return rack.counts[26] > 0 ? 0 : -1;
}

// A tile's weight on a square: what each point of its value adds to the move, in its word
// times the run's word premiums and in the word across times the square's.
int WeightOf(const LineSquare& s, int multiplier) {
  return s.premium.letter * (multiplier + (s.cross ? s.premium.word : 0));
}

// What the cross word's tiles add less the penalties: the move's word premiums leave it be.
int FixedOf(const LineSquare& s) {
  return (s.cross ? s.crossSum * s.premium.word - s.premium.penalty : 0) - s.premium.penalty;
}

// Weights kept highest first, so that the highest values go with the highest weights.
struct Weights {
  std::array<int, kRackSize> highest{};
  int size = 0;

  void Insert(int weight) {
    int w = size++;
    while (w > 0 && highest[static_cast<std::size_t>(w - 1)] < weight) {
      highest[static_cast<std::size_t>(w)] = highest[static_cast<std::size_t>(w - 1)];
      --w;
    }
    highest[static_cast<std::size_t>(w)] = weight;
  }
  // The most the rack's highest values can add on the `laid` heaviest squares.
  int Paired(const RackForBounds& rack, int laid) const {
    int paired = 0;
    for (int k = 0; k < laid; ++k) {
      paired += highest[static_cast<std::size_t>(k)] * rack.values[static_cast<std::size_t>(k)];
    }
    return paired;
  }
};

}  // namespace

LineRuns ReadLineRuns(const LineSquares& line, const RackForBounds& rack) {
  LineRuns facts;
  for (int position = 0; position < kBoardSize; ++position) {
    const LineSquare& square = line[static_cast<std::size_t>(position)];
    const auto at = static_cast<std::size_t>(position);
    const bool tile = square.tile != 0;
    facts.freeBefore[at + 1] = facts.freeBefore[at] + (tile ? 0 : 1);
    facts.valueBefore[at + 1] = facts.valueBefore[at] + (tile ? square.tileValue : 0);
    facts.lettersBefore[at + 1] =
        facts.lettersBefore[at] + (square.tile >= 'A' && square.tile <= 'Z'
                                       ? AnagramKeys::KeyOf(square.tile - 'A')
                                       : AnagramKeys::Key{0});
    facts.runStart[at] = position > 0 && line[at - 1].tile != 0 ? facts.runStart[at - 1] : position;
    if (tile) continue;
    facts.caps[static_cast<std::size_t>(facts.count)] = Cap(square, rack);
    facts.free[static_cast<std::size_t>(facts.count++)] = position;
  }
  for (int position = kBoardSize - 1; position >= 0; --position) {
    const auto at = static_cast<std::size_t>(position);
    facts.runEnd[at] =
        position + 1 < kBoardSize && line[at + 1].tile != 0 ? facts.runEnd[at + 1] : position;
  }
  return facts;
}

int AnchorUpperBound(const LineSquares& line, const LineRuns& facts, int anchor, int previous,
                     const RackForBounds& rack, int bonus, BingoCheck& bingo,
                     std::array<int, 8>* byLaid, RunBounds* runs, int mostLaid) {
  const auto& free = facts.free;
  const auto& caps = facts.caps;
  const int count = facts.count;
  const int at = line[static_cast<std::size_t>(anchor)].tile != 0
                     ? -1
                     : facts.freeBefore[static_cast<std::size_t>(anchor)];
  const int first = facts.freeBefore[static_cast<std::size_t>(previous + 1)];
  int best = INT_MIN;
  if (byLaid != nullptr) byLaid->fill(INT_MIN);
  if (runs != nullptr) {
    for (auto& row : *runs) row.fill(INT_MIN);
  }
  const int most = std::min(rack.size, mostLaid);
  if (at < 0 || most <= 0) return best;
  auto square = [&](int index) -> const LineSquare& {
    return line[static_cast<std::size_t>(free[static_cast<std::size_t>(index)])];
  };
  for (int i = at; i >= first && at - i < most; --i) {
    if (caps[static_cast<std::size_t>(i)] < 0) break;
    // The word runs over the tiles that touch the run at either end.
    const int start = facts.runStart[static_cast<std::size_t>(free[static_cast<std::size_t>(i)])];
    // The squares from i to the anchor, then on to j one at a time. The weights all change
    // only when a square with a word premium joins.
    int multiplier = 1;
    int fixed = 0;
    for (int k = i; k < at; ++k) {
      multiplier *= square(k).premium.word;
      fixed += FixedOf(square(k));
    }
    Weights weights;
    int capped = 0;
    auto weighAll = [&](int last) {
      weights.size = 0;
      capped = 0;
      for (int k = i; k <= last; ++k) {
        const int weight = WeightOf(square(k), multiplier);
        capped += weight * caps[static_cast<std::size_t>(k)];
        weights.Insert(weight);
      }
    };
    weighAll(at - 1);
    for (int j = at; j < count && j - i < most; ++j) {
      if (caps[static_cast<std::size_t>(j)] < 0) break;
      const LineSquare& s = square(j);
      fixed += FixedOf(s);
      if (s.premium.word != 1) {
        multiplier *= s.premium.word;
        weighAll(j);
      } else {
        const int weight = WeightOf(s, multiplier);
        capped += weight * caps[static_cast<std::size_t>(j)];
        weights.Insert(weight);
      }
      const int end = facts.runEnd[static_cast<std::size_t>(free[static_cast<std::size_t>(j)])];
      if (end == start) continue;
      const int laid = j - i + 1;
      const int boardSum = facts.valueBefore[static_cast<std::size_t>(end + 1)] -
                           facts.valueBefore[static_cast<std::size_t>(start)];
      int bound = boardSum * multiplier + fixed + std::min(weights.Paired(rack, laid), capped);
      if (laid >= kRackSize && bonus > 0 &&
          bingo.Possible(facts.lettersBefore[static_cast<std::size_t>(end + 1)] -
                         facts.lettersBefore[static_cast<std::size_t>(start)])) {
        bound += bonus;
      }
      best = std::max(best, bound);
      if (runs != nullptr)
        (*runs)[static_cast<std::size_t>(at - i)][static_cast<std::size_t>(j - at)] = bound;
      if (byLaid != nullptr) {
        int& longest = (*byLaid)[static_cast<std::size_t>(laid)];
        longest = std::max(longest, bound);
      }
    }
  }
  return best;
}

ScoreRange WholeRackRange(const LineSquares& line, int start, int end, const RackForBounds& rack,
                          int bonus) {
  int multiplier = 1;
  int fixed = 0;
  int tiles = 0;
  int capped = 0;
  for (int p = start; p <= end; ++p) {
    const LineSquare& s = line[static_cast<std::size_t>(p)];
    if (s.tile != 0) {
      tiles += s.tileValue;
      continue;
    }
    multiplier *= s.premium.word;
    fixed += FixedOf(s);
  }
  // As for a run through an anchor, its seven free squares.
  Weights weights;
  for (int p = start; p <= end; ++p) {
    const LineSquare& s = line[static_cast<std::size_t>(p)];
    if (s.tile != 0 || weights.size == kRackSize) continue;
    const int weight = WeightOf(s, multiplier);
    capped += weight * std::max(Cap(s, rack), 0);
    weights.Insert(weight);
  }
  ScoreRange range;
  range.least = tiles * multiplier + fixed + bonus;
  range.most =
      range.least + std::min(weights.Paired(rack, std::min(weights.size, rack.size)), capped);
  return range;
}

}  // namespace lumiquad
