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

bool BingoCheck::Possible(const std::array<std::uint8_t, 26>& boardLetters) {
  if (anagrams_ == nullptr) return true;
  for (int i = 0; i < size_; ++i) {
    if (remembered_[static_cast<std::size_t>(i)].letters == boardLetters) {
      return remembered_[static_cast<std::size_t>(i)].possible;
    }
  }
  AnagramKeys::Key key = 0;
  for (int letter = 0; letter < 26; ++letter) {
    const int count = rack_.counts[static_cast<std::size_t>(letter)] +
                      boardLetters[static_cast<std::size_t>(letter)];
    key += static_cast<AnagramKeys::Key>(count) * AnagramKeys::KeyOf(letter);
  }
  // A blank may stand for any letter: one or two of them try every letter, or pair of letters.
  bool possible = false;
  const int blanks = rack_.counts[26];
  if (blanks == 0) {
    possible = anagrams_->MayFormWord(key);
  } else if (blanks == 1) {
    for (int a = 0; a < 26 && !possible; ++a)
      possible = anagrams_->MayFormWord(key + AnagramKeys::KeyOf(a));
  } else if (blanks == 2) {
    for (int a = 0; a < 26 && !possible; ++a) {
      for (int b = a; b < 26 && !possible; ++b) {
        possible = anagrams_->MayFormWord(key + AnagramKeys::KeyOf(a) + AnagramKeys::KeyOf(b));
      }
    }
  } else {
    possible = true;
  }
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

}  // namespace

int AnchorUpperBound(const LineSquares& line, int anchor, int previous, const RackForBounds& rack,
                     int bonus, BingoCheck& bingo, std::array<int, 8>* byLaid, RunBounds* runs) {
  // The free squares of the line, and what the rack could lay on each; the values of the tiles
  // on the line as running sums, and where each run of tiles ends.
  std::array<int, kBoardSize> free{};
  std::array<int, kBoardSize> caps{};
  std::array<int, kBoardSize + 1> tilesBefore{};
  std::array<int, kBoardSize> runStart{};
  int count = 0;
  int at = -1;
  int first = -1;
  for (int position = 0; position < kBoardSize; ++position) {
    const LineSquare& square = line[static_cast<std::size_t>(position)];
    tilesBefore[static_cast<std::size_t>(position + 1)] =
        tilesBefore[static_cast<std::size_t>(position)] + (square.tile != 0 ? square.tileValue : 0);
    runStart[static_cast<std::size_t>(position)] =
        position > 0 && line[static_cast<std::size_t>(position - 1)].tile != 0
            ? runStart[static_cast<std::size_t>(position - 1)]
            : position;
    if (square.tile != 0) continue;
    if (position == anchor) at = count;
    if (position > previous && first < 0) first = count;
    caps[static_cast<std::size_t>(count)] = Cap(square, rack);
    free[static_cast<std::size_t>(count++)] = position;
  }
  int best = INT_MIN;
  if (byLaid != nullptr) byLaid->fill(INT_MIN);
  if (runs != nullptr) {
    for (auto& row : *runs) row.fill(INT_MIN);
  }
  if (at < 0 || rack.size == 0) return best;
  auto square = [&](int index) -> const LineSquare& {
    return line[static_cast<std::size_t>(free[static_cast<std::size_t>(index)])];
  };
  for (int i = at; i >= first && at - i < rack.size; --i) {
    if (caps[static_cast<std::size_t>(i)] < 0) break;
    // The word runs over the tiles that touch the run at either end.
    const int start = runStart[static_cast<std::size_t>(free[static_cast<std::size_t>(i)])];
    for (int j = at; j < count && j - i < rack.size; ++j) {
      if (caps[static_cast<std::size_t>(j)] < 0) break;
      int end = free[static_cast<std::size_t>(j)];
      while (end + 1 < kBoardSize && line[static_cast<std::size_t>(end + 1)].tile != 0) ++end;
      if (end == start) continue;
      const int laid = j - i + 1;
      int multiplier = 1;
      for (int k = i; k <= j; ++k) multiplier *= square(k).premium.word;
      const int boardSum = tilesBefore[static_cast<std::size_t>(end + 1)] -
                           tilesBefore[static_cast<std::size_t>(start)];
      int fixed = boardSum * multiplier;
      std::array<int, kRackSize> weights{};
      int capped = 0;
      for (int k = i; k <= j; ++k) {
        const LineSquare& s = square(k);
        fixed -= s.premium.penalty;
        int weight = multiplier;
        if (s.cross) {
          fixed += s.crossSum * s.premium.word - s.premium.penalty;
          weight += s.premium.word;
        }
        weight *= s.premium.letter;
        capped += weight * caps[static_cast<std::size_t>(k)];
        // Kept highest first: the highest values go with the highest weights.
        int w = k - i;
        while (w > 0 && weights[static_cast<std::size_t>(w - 1)] < weight) {
          weights[static_cast<std::size_t>(w)] = weights[static_cast<std::size_t>(w - 1)];
          --w;
        }
        weights[static_cast<std::size_t>(w)] = weight;
      }
      int paired = 0;
      for (int k = 0; k < laid; ++k) {
        paired += weights[static_cast<std::size_t>(k)] * rack.values[static_cast<std::size_t>(k)];
      }
      int bound = fixed + std::min(paired, capped);
      if (laid >= kRackSize && bonus > 0) {
        std::array<std::uint8_t, 26> boardLetters{};
        for (int position = start; position <= end; ++position) {
          const char tile = line[static_cast<std::size_t>(position)].tile;
          if (tile >= 'A' && tile <= 'Z') ++boardLetters[static_cast<std::size_t>(tile - 'A')];
        }
        if (bingo.Possible(boardLetters)) bound += bonus;
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

}  // namespace lumiquad
