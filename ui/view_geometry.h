#pragma once

namespace lumiquad {

// The pixel layout of the board view, for the two screen size classes. A screen of at most
// 800 by 600 pixels is small.
struct ViewGeometry {
  bool small = false;
  int square = 35;  // a board square and a tile
  int boardLeft = 120;
  int boardTop = 40;
  int rackMarginX = 50;  // how far beside and above or below the rack a drop still lands on it
  int rackMarginY = 15;
  int letterPoints = 18;
  int valuePoints = 10;
  int labelPoints = 12;
  int buttonPoints = 8;
  int buttonWidth = 55;
  int lettersPerLine = 5;
  int windowWidth = 930;
  int windowHeight = 740;

  static ViewGeometry For(bool smallScreen) {
    ViewGeometry g;
    if (smallScreen) {
      g = {true, 25, 100, 30, 30, 10, 12, 7, 9, 7, 43, 6, 751, 570};
    }
    return g;
  }
  static bool IsSmallScreen(int width, int height) { return width <= 800 && height <= 600; }

  int BoardSize() const { return 15 * square; }
  int BoardRight() const { return boardLeft + BoardSize(); }
  int BoardBottom() const { return boardTop + BoardSize(); }
  int RackLeft() const { return boardLeft + BoardSize() / 4; }
  int RackTop() const { return BoardBottom() + 20; }
  int Pitch() const { return square; }

  bool OverBoard(int x, int y) const {
    return x >= boardLeft && x < BoardRight() && y >= boardTop && y < BoardBottom();
  }
  // The square (column, row) under a point, or -1, -1 off the board.
  int ColumnAt(int x, int y) const { return OverBoard(x, y) ? (x - boardLeft) / square : -1; }
  int RowAt(int x, int y) const { return OverBoard(x, y) ? (y - boardTop) / square : -1; }
  bool OverRack(int x, int y) const {
    return x >= RackLeft() - rackMarginX && x < RackLeft() + 7 * square + rackMarginX &&
           y >= RackTop() - rackMarginY && y < RackTop() + square + rackMarginY;
  }
  // The rack slot for a tile whose top-left is (x, y): -1 outside the rack; slot 0 and 6 take
  // the tiles a little beyond either end.
  int SlotAt(int x, int y) const {
    const int dx = x - RackLeft();
    if (dx < -30 || dx >= 7 * Pitch() + 30 || y < RackTop() - 20 ||
        y > RackTop() + rackMarginY + 20) {
      return -1;
    }
    if (dx < 0) return 0;
    if (dx >= 7 * Pitch()) return 6;
    return dx / Pitch();
  }
  int SlotX(int slot) const { return RackLeft() + slot * Pitch(); }
};

}  // namespace lumiquad
