#pragma once

// Helpers that let tests read like the game: boards drawn as text pictures, small word lists.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "model/board.h"
#include "words/word_list.h"

namespace lumiquad::test {

// Lays a picture of up to 15 lines of 15 characters from the top row: 'A' to 'Z' a tile, 'a'
// to 'z' a blank standing for that letter, any other character leaves the square as it is.
// Tiles are marked as laid by `placedBy`, and the backup grid is made to match.
inline void LayPicture(Board& board, const std::vector<std::string>& picture, int placedBy = 0) {
  for (std::size_t r = 0; r < picture.size(); ++r) {
    for (std::size_t c = 0; c < picture[r].size(); ++c) {
      char ch = picture[r][c];
      Square* square = board.SquareAt(static_cast<int>(r), static_cast<int>(c));
      if (square == nullptr || !IsTileLetter(ch)) continue;
      square->blank = (ch >= 'a' && ch <= 'z') ? 1 : 0;
      square->character = static_cast<char>(square->blank ? ch - 'a' + 'A' : ch);
      square->placedBy = static_cast<std::uint8_t>(placedBy);
    }
  }
  board.SaveSnapshot();
}

// Sets square kinds from a picture of kind codes; a space leaves the square as it is.
inline void LayKinds(Board& board, const std::vector<std::string>& picture) {
  for (std::size_t r = 0; r < picture.size(); ++r) {
    for (std::size_t c = 0; c < picture[r].size(); ++c) {
      if (picture[r][c] != ' ') {
        board.SetSquareKind(static_cast<int>(r), static_cast<int>(c), picture[r][c]);
      }
    }
  }
  board.SaveSnapshot();
}

// Makes every square Plain and empty.
inline void MakePlain(Board& board) {
  board.LayLayout(std::string(kLayoutLength, '.'));
  board.SaveSnapshot();
}

inline WordList Words(std::initializer_list<const char*> words) {
  WordList list;
  for (const char* word : words) list.AddWord(word);
  return list;
}

// Every field of every square of both grids, for before-and-after comparisons.
struct GridCopy {
  std::vector<Square> live;
  std::vector<Square> backup;
  friend bool operator==(const GridCopy&, const GridCopy&) = default;
};

inline GridCopy CopyGrids(const Board& board) {
  GridCopy copy;
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) {
      copy.live.push_back(*board.SquareAt(r, c));
      copy.backup.push_back(*board.BackupSquareAt(r, c));
    }
  }
  return copy;
}

inline std::string LiveText(const Board& board) {
  std::string text;
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) text += board.SquareAt(r, c)->character;
    text += '\n';
  }
  return text;
}

}  // namespace lumiquad::test
