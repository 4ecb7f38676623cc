#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/move_record.h"

namespace lumiquad {

class GameEngine;

// Whether a chosen path names a file of the given three-letter extension: not empty, ending in
// the extension exactly (letter case included), with a '.' after the last '/' and at least one
// character between them.
bool IsValidFilePath(std::string_view path, std::string_view extension);

// The game report of a list of records: for each, the mover, the rack and score before the
// move, the board, the moves the computer would choose at the level values 1 to 10 and the
// move played. Line ends are CR LF.
std::string BuildTextReport(const GameEngine& engine, const std::vector<MoveRecord>& records);

// The same as a self-contained HTML page.
std::string BuildHtmlReport(const GameEngine& engine, const std::vector<MoveRecord>& records);

}  // namespace lumiquad
