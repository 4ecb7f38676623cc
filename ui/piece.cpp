#include "ui/piece.h"

#include <array>

namespace lumiquad {

int SlotOf(const Piece& piece, const ViewGeometry& geometry) {
  return geometry.SlotAt(piece.x, piece.y);
}

void DropOnRack(std::vector<Piece>& pieces, std::size_t index, const ViewGeometry& geometry) {
  Piece& dropped = pieces[index];
  const int slot = geometry.SlotAt(dropped.x, dropped.y);
  if (slot < 0) return;
  // Which rack tile stands in each slot; the dropped one is not on the rack yet.
  std::array<int, 7> inSlot;
  inSlot.fill(-1);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i == index || pieces[i].state != Piece::OnRack) continue;
    const int s = SlotOf(pieces[i], geometry);
    if (s >= 0 && inSlot[static_cast<std::size_t>(s)] < 0) {
      inSlot[static_cast<std::size_t>(s)] = static_cast<int>(i);
    }
  }
  auto place = [&](Piece& piece, int s) {
    piece.x = geometry.SlotX(s);
    piece.y = geometry.RackTop();
  };
  if (inSlot[static_cast<std::size_t>(slot)] >= 0) {
    int free = -1;
    for (int s = slot + 1; s < 7 && free < 0; ++s) {
      if (inSlot[static_cast<std::size_t>(s)] < 0) free = s;
    }
    if (free < 0) {
      // Leftwards: the first free slot whose left neighbour is taken, or slot 0.
      for (int s = slot - 1; s >= 0 && free < 0; --s) {
        if (inSlot[static_cast<std::size_t>(s)] < 0 &&
            (s == 0 || inSlot[static_cast<std::size_t>(s) - 1] >= 0)) {
          free = s;
        }
      }
    }
    if (free > slot) {
      for (int s = free; s > slot; --s) {
        const int moving = inSlot[static_cast<std::size_t>(s) - 1];
        if (moving >= 0) place(pieces[static_cast<std::size_t>(moving)], s);
      }
    } else if (free >= 0) {
      for (int s = free; s < slot; ++s) {
        const int moving = inSlot[static_cast<std::size_t>(s) + 1];
        if (moving >= 0) place(pieces[static_cast<std::size_t>(moving)], s);
      }
    }
  }
  place(dropped, slot);
}

}  // namespace lumiquad
