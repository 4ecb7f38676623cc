#pragma once

#include <cstdint>

namespace lumiquad {

// Kinds of square and the one-character codes that stand for them in the grid, in saved
// layouts and in game files. The codes are fixed.
enum class SquareKind : char {
  Plain = '.',
  DoubleLetter = '|',
  TripleLetter = '&',
  QuadLetter = '%',
  DoubleWord = '#',
  TripleWord = '$',
  QuadWord = '*',
  Minus5 = '~',
  Minus10 = '=',
};

inline constexpr char KindCode(SquareKind kind) { return static_cast<char>(kind); }

// True for the nine kind codes.
inline constexpr bool IsKindCode(char code) {
  switch (code) {
    case '.':
    case '|':
    case '&':
    case '%':
    case '#':
    case '$':
    case '*':
    case '~':
    case '=':
      return true;
    default:
      return false;
  }
}

// The kind a square's character stands for; a letter or any other character acts as Plain.
inline constexpr SquareKind KindOf(char character) {
  return IsKindCode(character) ? static_cast<SquareKind>(character) : SquareKind::Plain;
}

// One step along the ring that mouse editing walks: forward
// '=' -> '~' -> '*' -> '$' -> '#' -> '%' -> '&' -> '|' -> '.' -> '=', backward the reverse.
// A character that is no kind code (a letter) becomes '.' either way.
char StepKind(char character, bool forward);

// A tile letter on the board is 'A' to 'Z' (or 'a' to 'z'); every kind code is a non-letter.
inline constexpr bool IsTileLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// One square of the grid. `character` holds the kind code while the square is empty and the
// tile's letter once a tile lies on it, so a premium or penalty counts only once.
struct Square {
  char character = '.';
  std::uint8_t blank = 0;   // 1 when the tile here is a blank; it scores 0
  std::uint8_t anchor = 0;  // working mark of the computer's move search
  std::int32_t row = -1;    // set once when the board is built
  std::int32_t column = -1;
  std::uint8_t placedBy = 0;  // 0 the human, 1 the computer

  bool HasTile() const { return IsTileLetter(character); }
  bool IsEmpty() const { return !HasTile(); }

  friend bool operator==(const Square&, const Square&) = default;
};

}  // namespace lumiquad
