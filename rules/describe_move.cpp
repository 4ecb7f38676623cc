#include <algorithm>
#include <charconv>

#include "rules/move.h"

namespace lumiquad {

namespace {

void AppendNumber(std::string& text, long long number) {
  char digits[24];
  auto [stop, error] = std::to_chars(digits, digits + sizeof digits, number);
  text.append(digits, stop);
}

}  // namespace

std::string DescribeMove(const Move& move, int lineBreaks, bool showLeave) {
  std::string text;
  if (move.isPass) {
    text = "PASSED";
  } else if (!move.invalid && !move.isExchange && !move.rackBefore.empty() &&
             (move.row != -1 || move.column != -1)) {
    text = "(";
    AppendNumber(text, move.column + 1LL);
    text += static_cast<char>('A' + move.row);
    text += ',' + move.directionText + ") " + move.mainWord;
    if (showLeave) {
      std::string leave = move.rackAfter;
      std::sort(leave.begin(), leave.end());
      text += "  " + leave;
    }
    text += " = ";
    AppendNumber(text, move.total);
  } else if (move.invalid) {
    for (std::size_t i = 0; i < move.invalidWords.size(); ++i) {
      text += move.invalidWords[i];
      text += i + 1 < move.invalidWords.size() ? ", " : ".";
    }
    text += " : CHALLENGED";
  } else if (move.isExchange) {
    text = " : CHANGED : " + move.exchangedLetters;
  }
  for (int i = 0; i < lineBreaks; ++i) text += "\r\n";
  return text;
}

}  // namespace lumiquad
