#include "ai/ratings.h"

#include <array>
#include <cmath>
#include <cstdlib>
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

// The value of a word made by hooking `hook` onto a main word, its new letter on `kind`.
int HookValue(const Board& board, const std::string& word, char hook, char kind) {
  int v = 0;
  for (char letter : word) v += board.LetterValue(letter);
  const int hookValue = board.LetterValue(hook);
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

double HookRisk(const Board& board, const Bag& bag, const Move& move) {
  const WordList* words = board.DictionaryRef();
  if (words == nullptr || move.mainWord.empty()) return 0;
  const int dr = move.Direction() == 0 ? 0 : 1;
  const int dc = move.Direction() == 0 ? 1 : 0;
  const int length = static_cast<int>(move.mainWord.size());
  // A generated move starts where its main word starts, so the hook squares are the squares
  // just before and just after the whole word.
  const int afterRow = move.row + length * dr;
  const int afterColumn = move.column + length * dc;
  const int beforeRow = move.row - dr;
  const int beforeColumn = move.column - dc;
  const std::string letters = bag.GetContents();
  std::uint32_t inBag = 0;
  for (char tile : letters) {
    if (tile >= 'A' && tile <= 'Z') inBag |= 1u << (tile - 'A');
  }
  long sum = 0;
  int count = 0;
  std::string extended;
  auto tryHooks = [&](int row, int column, bool after) {
    const Square* square = board.SquareAt(row, column);
    if (square == nullptr) return;
    const char kind = square->HasTile() ? KindCode(SquareKind::Plain) : square->character;
    for (char hook = 'A'; hook <= 'Z'; ++hook) {
      if ((inBag & (1u << (hook - 'A'))) == 0) continue;
      extended = after ? move.mainWord + hook : hook + move.mainWord;
      if (!words->ContainsWord(extended)) continue;
      sum += HookValue(board, extended, hook, kind);
      ++count;
    }
  };
  tryHooks(afterRow, afterColumn, true);
  tryHooks(beforeRow, beforeColumn, false);
  if (count == 0) return 0;
  const double risk = static_cast<double>(sum) / count - move.total;
  return risk > 0 ? risk : 0;
}

}  // namespace lumiquad
