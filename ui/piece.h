#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ui/view_geometry.h"

namespace lumiquad {

// One tile the user can see: on the rack, held, laid on the board this turn, or fixed on the
// board from an earlier move.
struct Piece {
  enum State { Invalid = -1, OnRack = 0, Held = 10, OnSquare = 20, Fixed = 30, Created = 40 };

  int x = 0;  // top-left, in the view's pixels
  int y = 0;
  int size = 35;
  char letter = '?';
  int value = 0;
  int state = Created;
  bool grabbed = false;
  int grabOffsetX = 0;
  int grabOffsetY = 0;
  int column = -1;  // the board square it was last dropped on
  int row = -1;
  bool selected = false;  // marked for change
  bool blank = false;     // a blank: its letter is '?' until it is named on the board
  int laidOrder = 0;      // when it was laid on its square this turn: the last goes back first

  void SetState(int value) {
    state =
        value == OnRack || value == Held || value == OnSquare || value == Fixed || value == Created
            ? value
            : Invalid;
  }
  // Whether the point lies on the tile, both edges included, kept in the grabbed flag; fixed
  // tiles are never hit and keep the flag as it is.
  bool HitTest(int px, int py) {
    if (state == Fixed) return false;
    grabbed = px >= x && px <= x + size && py >= y && py <= y + size;
    return grabbed;
  }
  bool Covers(int px, int py) const { return px >= x && px < x + size && py >= y && py < y + size; }
};

// Drops the piece at `index` on the rack: into the slot under its top-left; when that slot is
// taken, the tiles up to the nearest free slot (to the right first) move over to make room.
// Outside every slot it stays where it is.
void DropOnRack(std::vector<Piece>& pieces, std::size_t index, const ViewGeometry& geometry);

// The slot (0 to 6) of every rack tile, by its position; -1 for a tile not in a slot.
int SlotOf(const Piece& piece, const ViewGeometry& geometry);

}  // namespace lumiquad
