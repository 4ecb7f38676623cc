#include "rules/placement.h"

#include <algorithm>

#include "model/board.h"

namespace lumiquad {

SquarePosition BlankSquare(const Board& board, int row, int column, int direction, int index) {
  if (index < 0) return {};
  const int dr = direction == 0 ? 0 : 1;
  const int dc = direction == 0 ? 1 : 0;
  for (int empties = 0; Board::OnBoard(row, column); row += dr, column += dc) {
    if (board.Cell(row, column).IsEmpty() && empties++ == index) return {row, column};
  }
  return {};
}

namespace {

struct Gathered {
  std::optional<Move> move;
  PlacementFault fault = PlacementFault::None;
};

Gathered Refused(PlacementFault fault) { return {std::nullopt, fault}; }

Gathered Gather(const Board& board, const TurnTiles& tiles, int moverIndex) {
  if (tiles.looseTileOverBoard) return Refused(PlacementFault::LooseTile);
  if (tiles.snapped.empty()) return Refused(PlacementFault::NoTile);
  std::vector<TurnTile> laid = tiles.snapped;
  for (const TurnTile& tile : laid) {
    if (!Board::OnBoard(tile.row, tile.column) || board.Cell(tile.row, tile.column).HasTile()) {
      return Refused(PlacementFault::SquareTaken);
    }
  }
  const bool oneRow = std::all_of(laid.begin(), laid.end(),
                                  [&](const TurnTile& t) { return t.row == laid[0].row; });
  const bool oneColumn = std::all_of(laid.begin(), laid.end(),
                                     [&](const TurnTile& t) { return t.column == laid[0].column; });
  if (!oneRow && !oneColumn) return Refused(PlacementFault::NotInLine);
  int direction = oneRow ? 0 : 1;
  std::sort(laid.begin(), laid.end(), [direction](const TurnTile& a, const TurnTile& b) {
    return direction == 0 ? a.column < b.column : a.row < b.row;
  });

  // Every square from the first tile to the last must hold a tile: one laid now, exactly once,
  // or one already on the board. Letters are laid into successive empty squares, so a gap
  // would play them on other squares than the ones the user chose.
  const int dr = direction == 0 ? 0 : 1;
  const int dc = direction == 0 ? 1 : 0;
  const int row = laid.front().row;
  const int column = laid.front().column;
  std::size_t next = 0;
  for (int r = row, c = column; next < laid.size(); r += dr, c += dc) {
    if (laid[next].row == r && laid[next].column == c) {
      ++next;
      if (next < laid.size() && laid[next].row == r && laid[next].column == c) {
        return Refused(PlacementFault::SquareTaken);
      }
    } else if (!Board::OnBoard(r, c) || board.Cell(r, c).IsEmpty()) {
      return Refused(PlacementFault::Gap);
    }
  }

  const int count = static_cast<int>(laid.size());
  if (!board.IsConnected(row, column, direction, count)) return Refused(PlacementFault::NotJoined);
  if (count == 1) {
    if (board.HasNeighbour(row, column, 0)) direction = 1;
    if (board.HasNeighbour(row, column, 1)) direction = 0;
  }

  Move move;
  move.row = row;
  move.column = column;
  move.directionText = DirectionText(direction);
  move.moverIndex = static_cast<std::uint8_t>(moverIndex);
  for (const TurnTile& tile : laid) {
    char letter = tile.letter;
    if (tile.blank) letter = '?';
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letter != '?' && (letter < 'A' || letter > 'Z')) return Refused(PlacementFault::NotTiles);
    if (letter == '?') {
      if (move.blank1 < 0) {
        move.blank1 = static_cast<int>(move.placedLetters.size());
      } else if (move.blank2 < 0) {
        move.blank2 = static_cast<int>(move.placedLetters.size());
      } else {
        return Refused(PlacementFault::NotTiles);  // the bag holds two blanks
      }
    }
    move.placedLetters += letter;
  }
  move.blank1Square = BlankSquare(board, row, column, direction, move.blank1);
  move.blank2Square = BlankSquare(board, row, column, direction, move.blank2);
  return {std::move(move), PlacementFault::None};
}

}  // namespace

std::optional<Move> GatherPlacement(const Board& board, const TurnTiles& tiles, int moverIndex) {
  return Gather(board, tiles, moverIndex).move;
}

char NamedBlankLetter(const TurnTiles& tiles, SquarePosition square) {
  for (const TurnTile& tile : tiles.snapped) {
    if (tile.row == square.row && tile.column == square.column && tile.blank &&
        tile.letter >= 'A' && tile.letter <= 'Z') {
      return tile.letter;
    }
  }
  return 0;
}

PlacementFault PlacementFaultOf(const Board& board, const TurnTiles& tiles) {
  return Gather(board, tiles, 0).fault;
}

std::vector<TurnTile> TilesOfMove(const Move& move, const std::vector<Square>& boardBefore) {
  std::vector<TurnTile> tiles;
  const int dr = move.Direction() == 0 ? 0 : 1;
  const int dc = move.Direction() == 0 ? 1 : 0;
  const int count = static_cast<int>(move.placedLetters.size());
  for (int r = move.row, c = move.column, i = 0; i < count && Board::OnBoard(r, c);
       r += dr, c += dc) {
    const std::size_t at = static_cast<std::size_t>(r * kBoardSize + c);
    if (at < boardBefore.size() && boardBefore[at].HasTile()) continue;
    tiles.push_back({r, c, move.placedLetters[static_cast<std::size_t>(i)],
                     i == move.blank1 || i == move.blank2});
    ++i;
  }
  return tiles;
}

}  // namespace lumiquad
