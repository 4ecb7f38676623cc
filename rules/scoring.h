#pragma once

#include "model/board.h"
#include "model/square.h"

namespace lumiquad {

// The value of a letter on a square: 0 for a blank, the letter premium of the square's kind
// when the square still shows it (a new tile, scored before it is written), else the plain
// letter value. `board` is anything that gives letter values as the board does.
template <typename LetterValues = Board>
int LetterScore(const LetterValues& board, char letter, const Square& square) {
  if (square.blank) return 0;
  const int value = board.LetterValue(letter);
  switch (square.character) {
    case KindCode(SquareKind::QuadLetter):
      return 4 * value;
    case KindCode(SquareKind::TripleLetter):
      return 3 * value;
    case KindCode(SquareKind::DoubleLetter):
      return 2 * value;
    default:
      return value;
  }
}

// The word premiums and penalties met by the new tiles of one word.
struct WordFactors {
  int doubleWords = 0;
  int tripleWords = 0;
  int quadWords = 0;
  int minus5 = 0;
  int minus10 = 0;

  // Counts the kind of the square a new tile is laid on.
  void Add(char kindCode);
  // sum x 2^doubleWords x 3^tripleWords x 4^quadWords, then the penalties, never multiplied.
  int Apply(int sum) const;
};

// The main word's score: its letter sum with the word factors, plus the bonus when all seven
// rack tiles were laid.
int MainWordScore(int letterSum, const WordFactors& factors, int placedCount, int bonus);

// A cross word's score: the new tile's letter score less the penalty of its square, plus the
// plain values of the tiles already there, times the word factor of the new tile's square.
int CrossWordScore(int newLetterScore, char kindCode, int existingSum);

}  // namespace lumiquad
