#pragma once

#include <QtGui/QColor>
#include <QtGui/QImage>

namespace lumiquad {

// The pictures of the board's squares and of a tile: raised, bevelled squares with a fine
// horizontal grain, drawn for any size in device pixels. At 35 and 25 pixels they are the
// pictures the board has always shown; larger sizes keep one grain line a pixel, so they stay
// sharp however far the board is zoomed.
enum class Picture {
  Plain,
  DoubleWord,
  DoubleLetter,
  TripleWord,
  TripleLetter,
  QuadWord,
  QuadLetter,
  Minus10,
  Minus5,
  Tile
};
inline constexpr int kPictureCount = 10;

QImage DrawPicture(Picture picture, int pixels);

// The main colour of a picture, what a mark drawn on it must stand out from.
QColor PictureColour(Picture picture);

// The program's icon: a tile with an L and a small 4.
QImage DrawIcon(int pixels);

}  // namespace lumiquad
