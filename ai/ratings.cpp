#include "ai/ratings.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "ai/candidates.h"
#include "model/bag.h"
#include "model/board.h"
#include "words/gaddag.h"
#include "words/word_list.h"

namespace lumiquad {

namespace {

// Penalty of each letter A to Z kept on the rack.
constexpr std::array<int, 26> kLetterPenalty = {0, 6, 6, 2,  0, 6, 3, 6, 0, 8, 7, 2, 5,
                                                0, 4, 3, 10, 0, 0, 0, 6, 8, 6, 4, 6, 4};

// Weight of each extra copy of A to Z, then of the blank.
constexpr std::array<double, 27> kDuplicateWeight = {4, 0, 0, 0, 2, 0, 0, 0, 8, 0, 0, 0, 0,  4,
                                                     0, 0, 0, 4, 2, 3, 0, 0, 0, 0, 0, 0, 6.5};

constexpr std::string_view kSynergyLetters = "RETAINS";
constexpr std::array<int, 7> kSynergyBonus = {3, 3, 1, 2, 1, 2, 8};

constexpr int kBlankIndex = 26;

// Counts of A to Z and the blank, up to the first character that is neither.
std::array<int, 27> CountLeave(std::string_view leave) {
  std::array<int, 27> counts{};
  for (char tile : leave) {
    if (tile >= 'A' && tile <= 'Z') {
      ++counts[static_cast<std::size_t>(tile - 'A')];
    } else if (tile == '?') {
      ++counts[kBlankIndex];
    } else {
      break;
    }
  }
  return counts;
}

double DuplicatesOf(const std::array<int, 27>& counts) {
  double penalty = 0;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] > 1) penalty += (counts[i] - 1) * kDuplicateWeight[i];
  }
  return penalty;
}

int BalanceOf(int vowels, int consonants, bool blank, bool hasS, bool onlyS) {
  const int d = onlyS ? 0 : std::abs(consonants - vowels);
  int b = 2 * d;
  if ((vowels == 0 || consonants == 0) && !blank && d > 1) b += 5;
  if ((blank || hasS) && d < 3) return b - 5;
  return b;
}

bool IsVowel(char c) { return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U'; }

// The value of a word made by hooking a letter onto a main word: `wordValue` is the sum of the
// letter values of the whole extended word, the hook's own letter on a square of `kind`.
int HookValue(int wordValue, int hookValue, char kind) {
  const int v = wordValue;
  switch (KindOf(kind)) {
    case SquareKind::QuadWord:
      return v * 4;
    case SquareKind::TripleWord:
      return v * 3;
    case SquareKind::DoubleWord:
      return v * 2;
    case SquareKind::QuadLetter:
      return v + 3 * hookValue;
    case SquareKind::TripleLetter:
      return v + 2 * hookValue;
    case SquareKind::DoubleLetter:
      return v + hookValue;
    case SquareKind::Minus10:
      return v - 10;
    case SquareKind::Minus5:
      return v - 5;
    case SquareKind::Plain:
      break;
  }
  return v;
}

}  // namespace

bool LeaveTiles::Add(char tile) {
  if (tile == '?') {
    ++counts[kBlankIndex];
  } else if (tile >= 'A' && tile <= 'Z') {
    ++counts[static_cast<std::size_t>(tile - 'A')];
    letters |= 1u << (tile - 'A');
  } else {
    return false;
  }
  ++size;
  return true;
}

void LeaveTiles::Remove(char tile) {
  const std::size_t index = tile == '?' ? kBlankIndex : static_cast<std::size_t>(tile - 'A');
  if (counts[index] == 0) return;
  if (--counts[index] == 0 && index != kBlankIndex) letters &= ~(1u << index);
  --size;
}

double LeaveValue(const LeaveTiles& leave, double leaveWeight) {
  if (leave.size == 0) return 0;
  const auto& counts = leave.counts;
  // Every part is a whole number or a half, so summing the whole numbers first gives the same
  // value to the last bit.
  int v = 0;
  for (std::size_t i = 0; i < kSynergyLetters.size(); ++i) {
    if ((leave.letters >> (kSynergyLetters[i] - 'A') & 1) != 0) v += kSynergyBonus[i];
  }
  const int blanks = counts[kBlankIndex];
  if (blanks > 0) v += 13;
  double duplicates = blanks > 1 ? (blanks - 1) * kDuplicateWeight[kBlankIndex] : 0;
  for (std::uint32_t rest = leave.letters; rest != 0; rest &= rest - 1) {
    const auto letter = static_cast<std::size_t>(std::countr_zero(rest));
    v -= counts[letter] * kLetterPenalty[letter];
    if (counts[letter] > 1) duplicates += (counts[letter] - 1) * kDuplicateWeight[letter];
  }
  const int vowels = counts['A' - 'A'] + counts['E' - 'A'] + counts['I' - 'A'] + counts['O' - 'A'] +
                     counts['U' - 'A'];
  const int consonants = leave.size - vowels - blanks;
  const bool onlyS = leave.size == 1 && counts['S' - 'A'] == 1;
  v -= BalanceOf(vowels, consonants, blanks > 0, counts['S' - 'A'] > 0, onlyS);
  return (v - duplicates) * leaveWeight;
}

double LeaveValueCeiling(const LeaveTiles& tiles, double leaveWeight) {
  if (!(leaveWeight >= 0)) return HUGE_VAL;
  int v = 0;
  for (std::size_t i = 0; i < kSynergyLetters.size(); ++i) {
    if ((tiles.letters >> (kSynergyLetters[i] - 'A') & 1) != 0) v += kSynergyBonus[i];
  }
  if (tiles.counts[kBlankIndex] > 0) v += 13;
  // The balance takes off at least -5.
  v += 5;
  return v * leaveWeight;
}

double LeaveValue(std::string_view leave, double leaveWeight) {
  if (leave.empty()) return 0;
  LeaveTiles tiles;
  bool all = true;
  for (char tile : leave) all = all && tiles.Add(tile);
  if (all) return LeaveValue(tiles, leaveWeight);
  // A leave with something else in it: the letters count up to that character, the balance
  // and the duplicates all of it.
  const std::array<int, 27> counts = CountLeave(leave);
  int v = 0;
  for (std::size_t i = 0; i < kSynergyLetters.size(); ++i) {
    if (counts[static_cast<std::size_t>(kSynergyLetters[i] - 'A')] > 0) v += kSynergyBonus[i];
  }
  if (counts[kBlankIndex] > 0) v += 13;
  for (int i = 0; i < 26; ++i) {
    v -= counts[static_cast<std::size_t>(i)] * kLetterPenalty[static_cast<std::size_t>(i)];
  }
  return (v - LeaveBalance(leave) - DuplicatePenalty(leave)) * leaveWeight;
}

int LeaveBalance(std::string_view leave) {
  int vowels = 0;
  int consonants = 0;
  bool blank = false;
  bool hasS = false;
  for (char tile : leave) {
    if (tile == '?') {
      blank = true;
    } else if (IsVowel(tile)) {
      ++vowels;
    } else {
      ++consonants;
      hasS = hasS || tile == 'S';
    }
  }
  return BalanceOf(vowels, consonants, blank, hasS, leave == "S");
}

double DuplicatePenalty(std::string_view leave) {
  std::array<int, 27> counts{};
  for (char tile : leave) {
    if (tile >= 'A' && tile <= 'Z') ++counts[static_cast<std::size_t>(tile - 'A')];
    if (tile == '?') ++counts[kBlankIndex];
  }
  return DuplicatesOf(counts);
}

double BoardOpenness(const Board& board, const Bag& bag, int bonus) {
  double avg = 0;
  const LetterTable& frequencies = bag.Frequencies();
  for (int i = 0; i < kLetterCount; ++i) {
    avg += board.LetterValue(static_cast<char>('A' + i)) * frequencies[static_cast<std::size_t>(i)];
  }
  avg *= 0.01;
  const std::string layout = board.StartingLayout();
  auto kindAt = [&](int row, int column) {
    return KindOf(layout[static_cast<std::size_t>(row * kBoardSize + column)]);
  };
  auto lane = [&](int row, int column, int dr, int dc) {
    double value = bonus;
    for (int k = 0; k < 7; ++k) {
      switch (kindAt(row + k * dr, column + k * dc)) {
        case SquareKind::Plain:
          value += avg;
          break;
        case SquareKind::DoubleLetter:
          value += 2 * avg;
          break;
        case SquareKind::TripleLetter:
          value += 3 * avg;
          break;
        case SquareKind::QuadLetter:
          value += 4 * avg;
          break;
        case SquareKind::DoubleWord:
          value *= 2;
          break;
        case SquareKind::TripleWord:
          value *= 3;
          break;
        case SquareKind::QuadWord:
          value *= 4;
          break;
        case SquareKind::Minus5:
          value -= 5;
          break;
        case SquareKind::Minus10:
          value -= 10;
          break;
      }
    }
    return value;
  };
  double total = 0;
  // Only the lanes starting in the first two squares of each line count (s + 7 < 9).
  for (int line = 0; line < kBoardSize; ++line) {
    for (int start = 0; start + 7 < 9; ++start) total += lane(line, start, 0, 1);
  }
  for (int line = 0; line < kBoardSize; ++line) {
    for (int start = 0; start + 7 < 9; ++start) total += lane(start, line, 1, 0);
  }
  return total;
}

std::uint32_t LettersInBag(const Bag& bag) {
  std::uint32_t letters = 0;
  for (char tile : bag.GetContents()) {
    if (tile >= 'A' && tile <= 'Z') letters |= 1u << (tile - 'A');
  }
  return letters;
}

double HookRisk(const Board& board, const Bag& bag, const Move& move) {
  return HookRisk(board, LettersInBag(bag), move);
}

double HookRisk(const Board& board, std::uint32_t inBag, const Move& move) {
  return HookRisk(board, inBag, move.mainWord, move.row, move.column, move.Direction(), move.total);
}

namespace {

// `Grid` is the Board or the squares kept of it.
template <typename Grid>
double HookRiskOn(const Grid& board, const WordList* words, std::uint32_t inBag,
                  std::string_view mainWord, int row, int column, int direction, int total) {
  if (words == nullptr || mainWord.empty()) return 0;
  const int dr = direction == 0 ? 0 : 1;
  const int dc = direction == 0 ? 1 : 0;
  const int length = static_cast<int>(mainWord.size());
  int mainValue = 0;
  for (char letter : mainWord) mainValue += board.LetterValue(letter);

  // A generated move starts where its main word starts, so the hook squares are the squares
  // just before and just after the whole word. A hook square holding a tile counts as plain.
  auto kindAt = [&](int row, int column) -> std::optional<char> {
    if (row < 0 || row >= kBoardSize || column < 0 || column >= kBoardSize) return std::nullopt;
    const Square& square = board.Cell(row, column);
    return square.HasTile() ? KindCode(SquareKind::Plain) : square.character;
  };
  const std::optional<char> after = kindAt(row + length * dr, column + length * dc);
  const std::optional<char> before = kindAt(row - dr, column - dc);
  long sum = 0;
  int count = 0;
  auto add = [&](char hook, char kind) {
    if (hook < 'A' || hook > 'Z' || (inBag & (1u << (hook - 'A'))) == 0) return;
    const int hookValue = board.LetterValue(hook);
    sum += HookValue(mainValue + hookValue, hookValue, kind);
    ++count;
  };
  if (const Gaddag* gaddag = words->SearchGaddag(); gaddag != nullptr && !gaddag->Empty()) {
    // The word backwards: what may stand before it is whole at the next letter, what may follow
    // it after the separator.
    std::uint32_t node = gaddag->Root();
    for (int i = length; i-- > 0 && node != 0;) {
      const char letter = mainWord[static_cast<std::size_t>(i)];
      const std::uint32_t at = letter >= 'A' && letter <= 'Z'
                                   ? gaddag->Find(node, Gaddag::CodeOf(letter))
                                   : Gaddag::kNone;
      node = at == Gaddag::kNone ? 0 : Gaddag::Next(gaddag->At(at));
    }
    if (node != 0) {
      for (std::uint32_t at = gaddag->FirstEdge(node);; ++at) {
        const Gaddag::Edge edge = gaddag->At(at);
        if (Gaddag::Code(edge) == Gaddag::kSeparator) {
          if (after && Gaddag::Next(edge) != 0) {
            for (std::uint32_t hook = gaddag->FirstEdge(Gaddag::Next(edge));; ++hook) {
              const Gaddag::Edge hookEdge = gaddag->At(hook);
              if (Gaddag::Whole(hookEdge))
                add(static_cast<char>('A' + Gaddag::Code(hookEdge) - 1), *after);
              if (Gaddag::Last(hookEdge)) break;
            }
          }
        } else if (before && Gaddag::Whole(edge)) {
          add(static_cast<char>('A' + Gaddag::Code(edge) - 1), *before);
        }
        if (Gaddag::Last(edge)) break;
      }
    }
  } else {
    if (after) {
      if (const TrieNode* node = words->FindPrefix(mainWord)) {
        for (int n = 0; n < node->ChildCount(); ++n) {
          if (node->Child(n).IsTerminal()) add(node->Child(n).Letter(), *after);
        }
      }
    }
    if (before) {
      const TrieNode& root = words->Root();
      for (int n = 0; n < root.ChildCount(); ++n) {
        const TrieNode* node = &root.Child(n);
        for (std::size_t i = 0; i < mainWord.size() && node != nullptr; ++i) {
          const int child = node->FindChild(mainWord[i]);
          node = child < 0 ? nullptr : &node->Child(child);
        }
        if (node != nullptr && node->IsTerminal()) add(root.Child(n).Letter(), *before);
      }
    }
  }
  if (count == 0) return 0;
  const double risk = static_cast<double>(sum) / count - total;
  return risk > 0 ? risk : 0;
}

}  // namespace

double HookRisk(const Board& board, std::uint32_t inBag, std::string_view mainWord, int row,
                int column, int direction, int total) {
  return HookRiskOn(board, board.DictionaryRef(), inBag, mainWord, row, column, direction, total);
}

double HookRisk(const BoardSquares& squares, const WordList* words, std::uint32_t inBag,
                std::string_view mainWord, int row, int column, int direction, int total) {
  return HookRiskOn(squares, words, inBag, mainWord, row, column, direction, total);
}

}  // namespace lumiquad
