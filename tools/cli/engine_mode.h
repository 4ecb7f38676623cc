#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "model/layouts.h"

namespace lumiquad {

struct EngineOptions {
  GameType type = GameType::Scrabble;
  std::string dictionary;
  std::string simpleWords;
};

// A text protocol for other programs: one command a line on `in`, answers on `out`.
//   position cgp BOARD RACKS SCORES ZEROS [...]   the position to play (see ParseCgp)
//   go [level NAME] [time MS]                    answers "bestmove MOVE" in GCG notation:
//                                                "8H WORD", "H8 WORD", "-ABC", or "-"
//   quit
// Anything else, or a position the type's tiles cannot make, is answered "error <reason>" and
// the engine reads on. Lines longer than 64 KiB are refused whole. Ends at "quit" or the end of
// the input.
void RunEngine(std::istream& in, std::ostream& out, const EngineOptions& options);

}  // namespace lumiquad
