#include "ai/ratings.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "model/bag.h"
#include "model/board.h"
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

double LeaveValue(std::string_view leave, double leaveWeight) {
  if (leave.empty()) return 0;
  const std::array<int, 27> counts = CountLeave(leave);
  double v = 0;
  for (std::size_t i = 0; i < kSynergyLetters.size(); ++i) {
    if (counts[static_cast<std::size_t>(kSynergyLetters[i] - 'A')] > 0) v += kSynergyBonus[i];
  }
  if (counts[kBlankIndex] > 0) v += 13;
  for (int i = 0; i < 26; ++i) {
    v -= counts[static_cast<std::size_t>(i)] * kLetterPenalty[static_cast<std::size_t>(i)];
  }
  v -= LeaveBalance(leave);
  v -= DuplicatePenalty(leave);
  return v * leaveWeight;
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
  const int d = leave == "S" ? 0 : std::abs(consonants - vowels);
  int b = 2 * d;
  if ((vowels == 0 || consonants == 0) && !blank && d > 1) b += 5;
  if ((blank || hasS) && d < 3) return b - 5;
  return b;
}

double DuplicatePenalty(std::string_view leave) {
  std::array<int, 27> counts{};
  for (char tile : leave) {
    if (tile >= 'A' && tile <= 'Z') ++counts[static_cast<std::size_t>(tile - 'A')];
    if (tile == '?') ++counts[kBlankIndex];
  }
  double penalty = 0;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] > 1) penalty += (counts[i] - 1) * kDuplicateWeight[i];
  }
  return penalty;
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
  const WordList* words = board.DictionaryRef();
  if (words == nullptr || move.mainWord.empty()) return 0;
  const int dr = move.Direction() == 0 ? 0 : 1;
  const int dc = move.Direction() == 0 ? 1 : 0;
  const int length = static_cast<int>(move.mainWord.size());
  int mainValue = 0;
  for (char letter : move.mainWord) mainValue += board.LetterValue(letter);

  // A generated move starts where its main word starts, so the hook squares are the squares
  // just before and just after the whole word. A hook square holding a tile counts as plain.
  auto kindAt = [&](int row, int column) -> std::optional<char> {
    const Square* square = board.SquareAt(row, column);
    if (square == nullptr) return std::nullopt;
    return square->HasTile() ? KindCode(SquareKind::Plain) : square->character;
  };
  long sum = 0;
  int count = 0;
  auto add = [&](char hook, char kind) {
    const int hookValue = board.LetterValue(hook);
    sum += HookValue(mainValue + hookValue, hookValue, kind);
    ++count;
  };
  if (std::optional<char> kind = kindAt(move.row + length * dr, move.column + length * dc)) {
    if (const TrieNode* node = words->FindPrefix(move.mainWord)) {
      for (int n = 0; n < node->ChildCount(); ++n) {
        const TrieNode& child = node->Child(n);
        const char hook = child.Letter();
        if (hook >= 'A' && hook <= 'Z' && (inBag & (1u << (hook - 'A'))) != 0 &&
            child.IsTerminal()) {
          add(hook, *kind);
        }
      }
    }
  }
  if (std::optional<char> kind = kindAt(move.row - dr, move.column - dc)) {
    const TrieNode& root = words->Root();
    for (int n = 0; n < root.ChildCount(); ++n) {
      const char hook = root.Child(n).Letter();
      if (hook < 'A' || hook > 'Z' || (inBag & (1u << (hook - 'A'))) == 0) continue;
      const TrieNode* node = &root.Child(n);
      for (std::size_t i = 0; i < move.mainWord.size() && node != nullptr; ++i) {
        const int child = node->FindChild(move.mainWord[i]);
        node = child < 0 ? nullptr : &node->Child(child);
      }
      if (node != nullptr && node->IsTerminal()) add(hook, *kind);
    }
  }
  if (count == 0) return 0;
  const double risk = static_cast<double>(sum) / count - move.total;
  return risk > 0 ? risk : 0;
}

}  // namespace lumiquad
