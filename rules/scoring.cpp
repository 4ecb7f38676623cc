#include "rules/scoring.h"

#include "model/board.h"
#include "model/player.h"

namespace lumiquad {

void WordFactors::Add(char kindCode) {
  switch (kindCode) {
    case KindCode(SquareKind::DoubleWord):
      ++doubleWords;
      break;
    case KindCode(SquareKind::TripleWord):
      ++tripleWords;
      break;
    case KindCode(SquareKind::QuadWord):
      ++quadWords;
      break;
    case KindCode(SquareKind::Minus5):
      ++minus5;
      break;
    case KindCode(SquareKind::Minus10):
      ++minus10;
      break;
    default:
      break;
  }
}

int WordFactors::Apply(int sum) const {
  for (int i = 0; i < doubleWords; ++i) sum *= 2;
  for (int i = 0; i < tripleWords; ++i) sum *= 3;
  for (int i = 0; i < quadWords; ++i) sum *= 4;
  return sum - 5 * minus5 - 10 * minus10;
}

int MainWordScore(int letterSum, const WordFactors& factors, int placedCount, int bonus) {
  int score = factors.Apply(letterSum);
  if (placedCount >= kRackSize) score += bonus;
  return score;
}

int CrossWordScore(int newLetterScore, char kindCode, int existingSum) {
  WordFactors factors;
  factors.Add(kindCode);
  return factors.Apply(newLetterScore + existingSum);
}

}  // namespace lumiquad
