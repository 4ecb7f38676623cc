#include "game/gcg.h"

#include <cctype>
#include <charconv>
#include <numeric>

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

std::string Signed(int number) {
  return (number < 0 ? "-" : "+") + std::to_string(std::abs(number));
}

}  // namespace

std::string GcgNickname(const std::string& name, int player) {
  std::string nickname;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || c == '_' || c == '-' || byte >= 0x80) nickname += c;
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
  const std::string name[2] = {game.humanName, game.computerName};
  std::string out = "#character-encoding UTF-8\n";
  out += "#player1 " + nick[first] + " " + name[first] + "\n";
  out += "#player2 " + nick[1 - first] + " " + name[1 - first] + "\n";
  if (!game.description.empty()) out += "#description " + game.description + "\n";

  int total[2] = {0, 0};
  for (const MoveRecord& record : game.records) {
    const Move& move = record.move;
    const int mover = move.moverIndex == 1 ? 1 : 0;
    const std::string head = ">" + nick[mover] + ": " + move.rackBefore + " ";
    if (move.isPass) {
      out += head + "- +0 " + std::to_string(total[mover]) + "\n";
    } else if (move.isExchange) {
      out += head + "-" + move.exchangedLetters + " +0 " + std::to_string(total[mover]) + "\n";
    } else {
      const auto [position, word] = MainWord(move, record.board);
      // A refused word scores what its words would have; the withdrawal takes it back.
      const int score = move.invalid ? std::accumulate(move.crossScores.begin(),
                                                       move.crossScores.end(), move.mainScore)
                                     : move.total;
      out += head + position + " " + word + " " + Signed(score) + " " +
             std::to_string(total[mover] + score) + "\n";
      if (move.invalid) {
        out += head + "-- " + Signed(-score) + " " + std::to_string(total[mover]) + "\n";
      } else {
        total[mover] += score;
      }
    }
  }
  return out;
}

}  // namespace lumiquad
