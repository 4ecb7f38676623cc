#include "game/gcg.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>

#include "model/board.h"

namespace lumiquad {

namespace {

std::string PositionText(int row, int column, int direction) {
  const std::string number = std::to_string(row + 1);
  const char letter = static_cast<char>('A' + column);
  return direction == 0 ? number + letter : letter + number;
}

bool HeldTile(const std::vector<Square>& board, int row, int column) {
  if (!Board::OnBoard(row, column)) return false;
  const std::size_t at = static_cast<std::size_t>(row * kBoardSize + column);
  return at < board.size() && board[at].HasTile();
}

// The whole main word of a placed move on the board before it: where it starts and its text
// with tiles already there as '.' and blanks in lower case.
std::pair<std::string, std::string> MainWord(const Move& move, const std::vector<Square>& before) {
  const int dr = move.Direction() == 0 ? 0 : 1;
  const int dc = move.Direction() == 0 ? 1 : 0;
  int row = move.row;
  int column = move.column;
  while (HeldTile(before, row - dr, column - dc)) {
    row -= dr;
    column -= dc;
  }
  const std::string position = PositionText(row, column, move.Direction());
  std::string word;
  int placed = 0;
  const int count = static_cast<int>(move.placedLetters.size());
  for (int r = row, c = column; Board::OnBoard(r, c); r += dr, c += dc) {
    if (HeldTile(before, r, c)) {
      word += '.';
    } else if (placed < count) {
      const char letter = move.placedLetters[static_cast<std::size_t>(placed)];
      const bool blank = placed == move.blank1 || placed == move.blank2;
      word += blank ? static_cast<char>(std::tolower(static_cast<unsigned char>(letter))) : letter;
      ++placed;
    } else {
      break;
    }
  }
  return {position, word};
}

std::string Signed(long long number) {
  return (number < 0 ? "-" : "+") + std::to_string(std::llabs(number));
}

// The length of the UTF-8 sequence at `at` and the code point it holds; 0 when the bytes there
// are no well-formed sequence (overlong forms and surrogates included).
std::size_t Utf8Sequence(const std::string& text, std::size_t at, char32_t& point) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    point = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, point = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, point = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, point = lead & 0x07, smallest = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    point = (point << 6) | (byte(at + i) & 0x3F);
  }
  if (point < smallest || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
  return length;
}

// A text fit for the rest of a pragma line: valid UTF-8 with no control character and nothing a
// reader takes for a line break. Such characters become spaces, bytes that are no UTF-8 U+FFFD.
std::string GcgText(const std::string& text) {
  std::string clean;
  for (std::size_t at = 0; at < text.size();) {
    char32_t point = 0;
    const std::size_t length = Utf8Sequence(text, at, point);
    if (length == 0) {
      clean += "\xEF\xBF\xBD";
      ++at;
      continue;
    }
    const bool control = point < 0x20 || (point >= 0x7F && point <= 0x9F);
    const bool lineBreak = point == 0x2028 || point == 0x2029 || point == 0x85;
    clean += control || lineBreak ? std::string(" ") : text.substr(at, length);
    at += length;
  }
  return clean;
}

}  // namespace

std::string GcgPlay(const Move& move, const std::vector<Square>& before) {
  const auto [position, word] = MainWord(move, before);
  return position + " " + word;
}

std::string GcgNickname(const std::string& name, int player) {
  std::string nickname;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80 && (std::isalnum(byte) || c == '_' || c == '-')) nickname += c;
  }
  return nickname.empty() ? "player" + std::to_string(player) : nickname;
}

bool ParseGcgPosition(const std::string& text, GcgPosition& position) {
  if (text.size() < 2 || text.size() > 3) return false;
  const bool across = std::isdigit(static_cast<unsigned char>(text.front())) != 0;
  const char letter = across ? text.back() : text.front();
  const std::string digits = across ? text.substr(0, text.size() - 1) : text.substr(1);
  int number = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size()) return false;
  position = {number - 1, letter - 'A', across ? 0 : 1};
  return Board::OnBoard(position.row, position.column);
}

std::string FormatGcg(const GcgGame& game) {
  // Player 1 is whoever moved first.
  const int first = game.records.empty() ? 0 : game.records.front().move.moverIndex;
  std::string nick[2] = {GcgNickname(game.humanName, first == 0 ? 1 : 2),
                         GcgNickname(game.computerName, first == 1 ? 1 : 2)};
  if (nick[0] == nick[1]) nick[1 - first] += "2";
  const std::string name[2] = {GcgText(game.humanName), GcgText(game.computerName)};
  std::string out = "#character-encoding UTF-8\n";
  out += "#player1 " + nick[first] + " " + name[first] + "\n";
  out += "#player2 " + nick[1 - first] + " " + name[1 - first] + "\n";
  if (!game.description.empty()) out += "#description " + GcgText(game.description) + "\n";

  long long total[2] = {0, 0};
  int scoreless = 0;  // turns in a row that scored nothing, up to the last
  int lastMover = first;
  for (const MoveRecord& record : game.records) {
    const Move& move = record.move;
    const int mover = move.moverIndex == 1 ? 1 : 0;
    const std::string head = ">" + nick[mover] + ": " + move.rackBefore + " ";
    if (move.invalid) {
      const auto [position, word] = MainWord(move, record.board);
      out += "#note " + nick[mover] + " tried " + position + " " + word +
             ", which the word list refused; the turn stayed with " + nick[mover] + "\n";
      continue;
    }
    lastMover = mover;
    if (move.isPass) {
      out += head + "- +0 " + std::to_string(total[mover]) + "\n";
    } else if (move.isExchange) {
      out += head + "-" + move.exchangedLetters + " +0 " + std::to_string(total[mover]) + "\n";
    } else {
      const auto [position, word] = MainWord(move, record.board);
      total[mover] += move.total;
      out += head + position + " " + word + " " + Signed(move.total) + " " +
             std::to_string(total[mover]) + "\n";
    }
    scoreless = move.isPass || move.isExchange || move.total == 0 ? scoreless + 1 : 0;
  }
  if (!game.over) return out;
  const std::string rack[2] = {game.humanRack, game.computerRack};
  auto sorted = [](std::string letters) {
    std::sort(letters.begin(), letters.end());
    return letters;
  };
  out += "#note The game is over; Lumiquad adjusts no score at the end, so each end line adds 0\n";
  if (rack[lastMover].empty() && !game.records.empty()) {
    // The last mover went out: the other's tiles, worth nothing here.
    out += ">" + nick[lastMover] + ": (" + sorted(rack[1 - lastMover]) + ") +0 " +
           std::to_string(total[lastMover]) + "\n";
    return out;
  }
  out += "#note It ended on scoreless turns: " + std::to_string(scoreless) +
         " in a row, at least three by each player\n";
  for (int player : {first, 1 - first}) {
    if (rack[player].empty()) continue;
    out += ">" + nick[player] + ": " + rack[player] + " (" + sorted(rack[player]) + ") +0 " +
           std::to_string(total[player]) + "\n";
  }
  return out;
}

}  // namespace lumiquad
