#include "ai/scratch_board.h"

namespace lumiquad {

ScratchBoard::ScratchBoard(const Board& from) : board_(store_, from.DictionaryRef()) {
  for (int i = 0; i < 26; ++i)
    board_.SetLetterValue(i, from.LetterValue(static_cast<char>('A' + i)));
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) *board_.SquareAt(r, c) = from.Cell(r, c);
  }
  board_.SetMover(from.Mover());
}

ScratchBoard::Laid ScratchBoard::Lay(const Candidate& candidate, std::string* tiles) {
  Laid laid;
  if (tiles != nullptr) tiles->clear();
  for (int i = 0; i < candidate.length; ++i) {
    const int along = candidate.start + i;
    const int r = candidate.direction == 0 ? candidate.line : along;
    const int c = candidate.direction == 0 ? along : candidate.line;
    Square* square = board_.SquareAt(r, c);
    if (square == nullptr || square->HasTile()) continue;
    laid.rows[static_cast<std::size_t>(laid.count)] = r;
    laid.columns[static_cast<std::size_t>(laid.count)] = c;
    laid.kinds[static_cast<std::size_t>(laid.count++)] = square->character;
    square->character = candidate.word[static_cast<std::size_t>(i)];
    square->blank = candidate.Blank(i) ? 1 : 0;
    square->anchor = 0;
    if (tiles != nullptr) tiles->push_back(candidate.Blank(i) ? '?' : square->character);
  }
  return laid;
}

void ScratchBoard::TakeBack(const Laid& laid) {
  for (int k = 0; k < laid.count; ++k) {
    Square* square = board_.SquareAt(laid.rows[static_cast<std::size_t>(k)],
                                     laid.columns[static_cast<std::size_t>(k)]);
    square->character = laid.kinds[static_cast<std::size_t>(k)];
    square->blank = 0;
    square->anchor = 0;
  }
}

void TakeTiles(std::string& rack, std::string_view tiles) {
  for (char tile : tiles) {
    const std::size_t at = rack.find(tile);
    if (at != std::string::npos) rack.erase(at, 1);
  }
}

}  // namespace lumiquad
