#include "game/cgp.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <vector>

#include "game/type_table.h"
#include "model/bag.h"
#include "model/board.h"

namespace lumiquad {

namespace {

bool IsRack(std::string_view text) {
  return text.size() <= 7 && std::all_of(text.begin(), text.end(),
                                         [](char c) { return (c >= 'A' && c <= 'Z') || c == '?'; });
}

bool ParseInt(std::string_view text, int low, int high, int& value) {
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  return !text.empty() && error == std::errc() && stop == end && value >= low && value <= high;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t at = 0;;) {
    const std::size_t next = text.find(separator, at);
    parts.push_back(text.substr(at, next == std::string_view::npos ? text.npos : next - at));
    if (next == std::string_view::npos) return parts;
    at = next + 1;
  }
}

}  // namespace

std::optional<CgpPosition> ParseCgp(std::string_view text, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error != nullptr) *error = why;
    return std::nullopt;
  };
  std::istringstream words{std::string(text.substr(0, 4096))};
  std::string board, racks, scores, zeros;
  if (!(words >> board >> racks >> scores >> zeros)) {
    return fail("a position is BOARD RACKS SCORES ZEROS");
  }
  CgpPosition position;
  const std::vector<std::string_view> rows = Split(board, '/');
  if (rows.size() != 15) return fail("the board has 15 rows separated by '/'");
  for (std::size_t r = 0; r < rows.size(); ++r) {
    std::string& row = position.rows[r];
    for (std::size_t i = 0; i < rows[r].size();) {
      const char c = rows[r][i];
      if (c >= '0' && c <= '9') {
        std::size_t end = i;
        while (end < rows[r].size() && rows[r][end] >= '0' && rows[r][end] <= '9') ++end;
        int empty = 0;
        if (!ParseInt(rows[r].substr(i, end - i), 1, 15, empty) || row.size() + empty > 15) {
          return fail("row " + std::to_string(r + 1) + " is not 15 squares");
        }
        row.append(static_cast<std::size_t>(empty), '.');
        i = end;
      } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
        row += c;
        ++i;
      } else {
        return fail("row " + std::to_string(r + 1) + " holds '" + std::string(1, c) + "'");
      }
    }
    if (row.size() != 15) return fail("row " + std::to_string(r + 1) + " is not 15 squares");
  }
  const std::vector<std::string_view> rackParts = Split(racks, '/');
  if (rackParts.size() != 2 || !IsRack(rackParts[0]) || !IsRack(rackParts[1]) ||
      rackParts[0].empty()) {
    return fail("the racks are the mover's '/' the opponent's, of at most 7 tiles");
  }
  position.rack = std::string(rackParts[0]);
  position.opponentRack = std::string(rackParts[1]);
  const std::vector<std::string_view> scoreParts = Split(scores, '/');
  constexpr int kMostPoints = 100'000;
  if (scoreParts.size() != 2 ||
      !ParseInt(scoreParts[0], -kMostPoints, kMostPoints, position.score) ||
      !ParseInt(scoreParts[1], -kMostPoints, kMostPoints, position.opponentScore)) {
    return fail("the scores are the mover's '/' the opponent's");
  }
  if (!ParseInt(zeros, 0, 100, position.zeros)) return fail("no count of scoreless turns");
  return position;
}

std::optional<std::string> UnseenTiles(GameType type, const CgpPosition& position,
                                       std::string* error) {
  // The set the game type deals, as a bag of that type holds it before a draw.
  TypeTable table(type);
  table.bag.FillBag();
  std::string unseen = table.bag.GetContents(true);
  std::string used = position.rack + position.opponentRack;
  for (const std::string& row : position.rows) {
    for (char c : row) {
      if (c != '.') used += c >= 'a' && c <= 'z' ? '?' : c;
    }
  }
  for (char tile : used) {
    const std::size_t at = unseen.find(tile);
    if (at == std::string::npos) {
      if (error != nullptr) {
        *error = "the position holds more " +
                 (tile == '?' ? std::string("blanks") : std::string(1, tile) + " tiles") +
                 " than the set has";
      }
      return std::nullopt;
    }
    unseen.erase(at, 1);
  }
  return unseen;
}

void LayCgp(Board& board, const CgpPosition& position) {
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) {
      const char ch = position.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
      if (ch == '.') continue;
      Square& square = *board.SquareAt(r, c);
      square.blank = ch >= 'a' && ch <= 'z';
      square.character = square.blank ? static_cast<char>(ch - 'a' + 'A') : ch;
    }
  }
  board.SaveSnapshot();
}

}  // namespace lumiquad
