#include "ai/leave_table.h"

#include <algorithm>
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
  std::array<std::int8_t, 7> tiles{};
  int count = 0;
  for (char tile : leave) {
    const int index = LeaveTileIndex(tile);
    if (index < 0 || count == static_cast<int>(tiles.size())) continue;
    tiles[static_cast<std::size_t>(count++)] = static_cast<std::int8_t>(index);
  }
  return PairsValue(tiles.data(), count) + Whole(tiles.data(), count);
}

double LeaveTable::PairsValue(const std::int8_t* tiles, int count) const {
  double value = 0;
  for (int i = 0; i < count; ++i) {
    value += single_[static_cast<std::size_t>(tiles[i])];
    for (int j = i + 1; j < count; ++j) value += pair_[PairIndex(tiles[i], tiles[j])];
  }
  return value;
}

std::uint32_t LeaveTable::KeyOf(const std::int8_t* tiles, int count) {
  std::array<std::int8_t, kMostKept> sorted{};
  count = std::min(count, kMostKept);
  std::copy(tiles, tiles + count, sorted.begin());
  std::sort(sorted.begin(), sorted.begin() + count);
  std::uint32_t key = 0;
  for (int i = 0; i < count; ++i) {
    key = key << 5 | static_cast<std::uint32_t>(sorted[static_cast<std::size_t>(i)] + 1);
  }
  return key;
}

int LeaveTable::TilesOf(std::uint32_t key, std::int8_t* tiles) {
  int count = 0;
  for (std::uint32_t rest = key; rest != 0; rest >>= 5) ++count;
  if (count > kMostKept) return -1;
  for (int i = count - 1; i >= 0; --i, key >>= 5) {
    const int code = static_cast<int>(key & 31);
    if (code == 0 || code > kTiles) return -1;
    tiles[i] = static_cast<std::int8_t>(code - 1);
  }
  return count;
}

double LeaveTable::Whole(const std::int8_t* tiles, int count) const {
  if (count < 3 || count > kMostKept || whole_.empty()) return 0;
  const auto found = whole_.find(KeyOf(tiles, count));
  return found == whole_.end() ? 0 : found->second;
}

void LeaveTable::SetWhole(const std::int8_t* tiles, int count, double value) {
  if (count < 3 || count > kMostKept) return;
  if (value == 0) {
    whole_.erase(KeyOf(tiles, count));
  } else {
    whole_[KeyOf(tiles, count)] = value;
  }
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
  // Whole leaves in order of their key, so that the same table is always the same text.
  std::vector<std::pair<std::uint32_t, double>> wholes(whole_.begin(), whole_.end());
  std::sort(wholes.begin(), wholes.end());
  for (const auto& [key, value] : wholes) {
    std::array<std::int8_t, kMostKept> indexes{};
    std::string tiles;
    for (int i = 0; i < TilesOf(key, indexes.data()); ++i) {
      tiles += TileOf(indexes[static_cast<std::size_t>(i)]);
    }
    std::snprintf(line, sizeof line, "%s %.17g\n", tiles.c_str(), value);
    text += line;
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
    if (space == std::string_view::npos || space < 1 ||
        space > static_cast<std::size_t>(kMostKept)) {
      return fail(number, "expected tiles and a value");
    }
    std::array<std::int8_t, kMostKept> tiles{};
    for (std::size_t i = 0; i < space; ++i) {
      tiles[i] = static_cast<std::int8_t>(LeaveTileIndex(line[i]));
      if (tiles[i] < 0) return fail(number, "not a tile");
    }
    const int a = tiles[0];
    const int b = space >= 2 ? tiles[1] : a;
    double value = 0;
    const std::string_view number_text = line.substr(space + 1);
    const auto [ptr, failed] =
        std::from_chars(number_text.data(), number_text.data() + number_text.size(), value);
    if (failed != std::errc() || ptr != number_text.data() + number_text.size() || value != value ||
        value > 1000 || value < -1000) {
      return fail(number, "not a value");
    }
    if (space >= 3) {
      const std::uint32_t key = KeyOf(tiles.data(), static_cast<int>(space));
      if (!table.whole_.emplace(key, value).second) return fail(number, "given twice");
      continue;
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
