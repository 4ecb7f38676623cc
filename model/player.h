#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/reg_records.h"

namespace lumiquad {

class Bag;

inline constexpr int kRackSize = 7;

// Whether every tile of `tiles` can be taken from `rack`, each once.
bool RackHolds(std::string rack, std::string_view tiles);

// One of the two players: 0 the human, 1 the computer. The rack is a text of at most seven
// tiles ('A' to 'Z', '?' for a blank) drawn from the shared bag.
class Player {
 public:
  Player(SettingsStore& store, bool isComputer, Bag& bag);

  // New game: score 0 and a fresh rack of seven tiles.
  void NewRack();
  // Takes one tile out of the rack: the first tile equal to `letter`, else the first blank,
  // else nothing. Returns whether a tile went.
  bool RemoveFromRack(char letter);
  // After a valid move: the score grows by `total`, the placed tiles leave the rack (blanks
  // given as '?') and as many tiles are drawn.
  // The tiles are taken by value, as the rack itself may be handed in.
  void PlayTiles(std::string placedTiles, int total);
  // Change: the chosen tiles leave the rack and the bag's exchange refills it. Returns false and
  // changes nothing when the bag holds fewer tiles than are chosen or the rack lacks one.
  bool ExchangeTiles(std::string chosen);

  const std::string& Name() const { return config.name; }
  bool IsComputer() const { return config.isComputer; }
  Bag& BagRef() const { return bag_; }

  std::string rack;
  std::int32_t score = 0;
  std::int32_t spareNumber = 0;  // carried by the game file beside the score
  std::string workingText;
  std::string lastDrawn;        // the tiles of this player's most recent draw
  std::int32_t savedScore = 0;  // the score put aside while a game is reviewed
  CPlayerRegConfig config;

 private:
  void Draw(int count);

  Bag& bag_;
};

}  // namespace lumiquad
