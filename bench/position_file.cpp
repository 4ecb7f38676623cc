#include "bench/position_file.h"

#include <array>

#include "model/board.h"
#include "model/presets.h"

namespace lumiquad {

namespace {

bool IsBoardCharacter(char c) {
  return c == '.' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace

PositionFileResult ParsePositions(const std::string& text, const std::string& fileName) {
  PositionFileResult result;
  const std::vector<std::string> lines = SplitLines(text);
  auto fail = [&](std::size_t index, const std::string& what) {
    result.positions.clear();
    result.error = fileName + ":" + std::to_string(index + 1) + ": " + what;
    return result;
  };
  std::size_t i = 0;
  auto skipSpacing = [&] {
    while (i < lines.size() && (lines[i].empty() || lines[i][0] == '#')) ++i;
  };
  for (skipSpacing(); i < lines.size(); skipSpacing()) {
    BenchPosition position;
    position.line = static_cast<int>(i + 1);
    for (int r = 0; r < kBoardSize; ++r, ++i) {
      if (i >= lines.size() || lines[i].empty()) {
        return fail(i, "expected board row " + std::to_string(r + 1) + " of 15");
      }
      const std::string& row = lines[i];
      if (row.size() != static_cast<std::size_t>(kBoardSize)) {
        return fail(i, "a board row must be 15 characters long");
      }
      for (char c : row) {
        if (!IsBoardCharacter(c)) return fail(i, "a board row holds only '.', A-Z and a-z");
      }
      position.rows.push_back(row);
    }
    constexpr std::string_view kRackPrefix = "rack: ";
    if (i >= lines.size() || lines[i].rfind(kRackPrefix, 0) != 0) {
      return fail(i, "expected \"rack: LETTERS\" after the board");
    }
    position.rack = lines[i].substr(kRackPrefix.size());
    if (position.rack.empty() || position.rack.size() > 7) {
      return fail(i, "a rack holds 1 to 7 tiles");
    }
    for (char c : position.rack) {
      if (c != '?' && (c < 'A' || c > 'Z')) return fail(i, "a rack holds only A-Z and '?'");
    }
    ++i;
    if (i < lines.size() && !lines[i].empty() && lines[i][0] != '#') {
      return fail(i, "expected a blank line between positions");
    }
    result.positions.push_back(std::move(position));
  }
  if (result.positions.empty()) result.error = fileName + ": no positions";
  return result;
}

std::string FormatPositions(const std::vector<BenchPosition>& positions) {
  std::string text;
  for (std::size_t p = 0; p < positions.size(); ++p) {
    if (p > 0) text += '\n';
    for (const std::string& row : positions[p].rows) text += row + '\n';
    text += "rack: " + positions[p].rack + '\n';
  }
  return text;
}

BenchPosition MidGamePosition() {
  BenchPosition position;
  position.rows = {
      "...............", "...............", "...............", "...............", "...............",
      ".....F.........", ".....R.........", "...HOUSE.......", ".....I.........", ".....TAXES.....",
      ".........P.....", ".........O.....", ".........O.....", ".........NAILS.", "...............",
  };
  position.rack = "ERT??DL";
  return position;
}

void LayPosition(Board& board, const BenchPosition& position) {
  for (int r = 0; r < kBoardSize && r < static_cast<int>(position.rows.size()); ++r) {
    const std::string& row = position.rows[static_cast<std::size_t>(r)];
    for (int c = 0; c < kBoardSize && c < static_cast<int>(row.size()); ++c) {
      const char ch = row[static_cast<std::size_t>(c)];
      if (ch == '.') continue;
      Square& square = *board.SquareAt(r, c);
      square.blank = ch >= 'a' && ch <= 'z';
      square.character = square.blank ? static_cast<char>(ch - 'a' + 'A') : ch;
    }
  }
  board.SaveSnapshot();
}

std::optional<std::string> UnseenTiles(GameType type, const BenchPosition& position,
                                       std::string* error) {
  const int preset = type == GameType::Scrabble ? kScrabbleFrequencies : 0;
  std::array<int, 27> counts{};
  for (int i = 0; i < kLetterCount; ++i) {
    counts[static_cast<std::size_t>(i)] =
        FrequencyPresets()[static_cast<std::size_t>(preset)].counts[static_cast<std::size_t>(i)];
  }
  counts[26] = 2;
  auto take = [&](char tile) {
    const std::size_t index = tile == '?' ? 26 : static_cast<std::size_t>(tile - 'A');
    return --counts[index] >= 0;
  };
  auto overused = [&](char tile) {
    if (error != nullptr) {
      *error = "line " + std::to_string(position.line) + ": the position uses more " +
               (tile == '?' ? std::string("blanks") : std::string(1, tile) + " tiles") +
               " than the set holds";
    }
    return std::nullopt;
  };
  for (const std::string& row : position.rows) {
    for (char c : row) {
      if (c == '.') continue;
      const char tile = (c >= 'a' && c <= 'z') ? '?' : c;
      if (!take(tile)) return overused(tile);
    }
  }
  for (char tile : position.rack) {
    if (!take(tile)) return overused(tile);
  }
  std::string unseen;
  for (int i = 0; i < 27; ++i) {
    unseen.append(static_cast<std::size_t>(counts[static_cast<std::size_t>(i)]),
                  i == 26 ? '?' : static_cast<char>('A' + i));
  }
  return unseen;
}

}  // namespace lumiquad
