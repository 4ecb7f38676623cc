#include "ai/leave_table.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "ai/ratings.h"

namespace lumiquad {

namespace {

constexpr std::string_view kHeader = "lumiquad leave values 1";

char TileOf(int index) { return index == 26 ? '?' : static_cast<char>('A' + index); }

}  // namespace

double LeaveTable::Value(std::string_view leave) const {
  if (!learnt_) return LeaveValue(leave, 1.0);
  std::array<int, 7> tiles{};
  int count = 0;
  for (char tile : leave) {
    const int index = LeaveTileIndex(tile);
    if (index < 0 || count == static_cast<int>(tiles.size())) continue;
    tiles[static_cast<std::size_t>(count++)] = index;
  }
  double value = 0;
  for (int i = 0; i < count; ++i) {
    value += single_[static_cast<std::size_t>(tiles[static_cast<std::size_t>(i)])];
    for (int j = i + 1; j < count; ++j) {
      value +=
          pair_[PairIndex(tiles[static_cast<std::size_t>(i)], tiles[static_cast<std::size_t>(j)])];
    }
  }
  return value;
}

std::string LeaveTable::Text() const {
  std::string text(kHeader);
  text += '\n';
  char line[64];
  for (int a = 0; a < kTiles; ++a) {
    std::snprintf(line, sizeof line, "%c %.17g\n", TileOf(a), single_[static_cast<std::size_t>(a)]);
    text += line;
  }
  for (int a = 0; a < kTiles; ++a) {
    for (int b = a; b < kTiles; ++b) {
      std::snprintf(line, sizeof line, "%c%c %.17g\n", TileOf(a), TileOf(b),
                    pair_[PairIndex(a, b)]);
      text += line;
    }
  }
  return text;
}

std::optional<LeaveTable> LeaveTable::Parse(std::string_view text, std::string* error) {
  auto fail = [&](int number, const std::string& reason) -> std::optional<LeaveTable> {
    if (error != nullptr) *error = "line " + std::to_string(number) + ": " + reason;
    return std::nullopt;
  };
  LeaveTable table;
  table.learnt_ = true;
  std::vector<bool> seen(static_cast<std::size_t>(kTiles + kTiles * kTiles), false);
  int number = 0;
  std::size_t expected = 0;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (number == 1) {
      if (line != kHeader) return fail(1, "not a leave value file");
      continue;
    }
    if (line.empty() || line.front() == '#') continue;
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || space < 1 || space > 2) {
      return fail(number, "expected tiles and a value");
    }
    const int a = LeaveTileIndex(line[0]);
    const int b = space == 2 ? LeaveTileIndex(line[1]) : a;
    if (a < 0 || b < 0) return fail(number, "not a tile");
    double value = 0;
    const std::string_view number_text = line.substr(space + 1);
    const auto [ptr, failed] =
        std::from_chars(number_text.data(), number_text.data() + number_text.size(), value);
    if (failed != std::errc() || ptr != number_text.data() + number_text.size() || value != value ||
        value > 1000 || value < -1000) {
      return fail(number, "not a value");
    }
    const std::size_t slot = space == 1 ? static_cast<std::size_t>(a)
                                        : static_cast<std::size_t>(kTiles) + PairIndex(a, b);
    if (seen[slot]) return fail(number, "given twice");
    seen[slot] = true;
    ++expected;
    if (space == 1) {
      table.single_[static_cast<std::size_t>(a)] = value;
    } else {
      table.pair_[PairIndex(a, b)] = value;
    }
  }
  if (number == 0) return fail(1, "empty");
  if (expected != static_cast<std::size_t>(kTiles + kTiles * (kTiles + 1) / 2)) {
    return fail(number, "values missing");
  }
  return table;
}

}  // namespace lumiquad
