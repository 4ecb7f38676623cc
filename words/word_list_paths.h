#pragma once

#include <string>

namespace lumiquad {

class CWinRegConfig;

// The main word list to load at start-up: the stored `dictionary` path when that file can be
// read, otherwise dictionary.txt beside the program, which is then stored (and saved) in its
// place.
std::string ChooseMainWordListPath(CWinRegConfig& settings);

// The list of common words, always simple.dat beside the program.
std::string SimpleWordListPath();

}  // namespace lumiquad
