#pragma once

// Readable test failures for moves.

#include <ostream>

#include "game/scripted_window.h"
#include "rules/move.h"

namespace lumiquad {

inline void PrintTo(const Move& move, std::ostream* out) {
  *out << "{" << DescribeMove(move, 0, true) << " placed " << move.placedLetters << " at ("
       << move.row << "," << move.column << ") " << move.directionText << " blanks " << move.blank1
       << "," << move.blank2 << " rack " << move.rackBefore << "->" << move.rackAfter << " main "
       << move.mainWord << "=" << move.mainScore << " cross";
  for (std::size_t i = 0; i < move.crossWords.size(); ++i) {
    *out << " " << move.crossWords[i] << "="
         << (i < move.crossScores.size() ? move.crossScores[i] : 0);
  }
  *out << (move.invalid ? " invalid" : "") << (move.isPass ? " pass" : "")
       << (move.isExchange ? " exchange " + move.exchangedLetters : std::string()) << " mover "
       << static_cast<int>(move.moverIndex) << " eval " << move.evaluation << "}";
}

inline void PrintTo(const ScriptedWindow::Message& message, std::ostream* out) {
  *out << "{\"" << message.text << "\", \"" << message.caption << "\", icon "
       << static_cast<int>(message.icon) << (message.question ? ", question}" : "}");
}

}  // namespace lumiquad
