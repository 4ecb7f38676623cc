#include "model/player.h"

#include "model/bag.h"

namespace lumiquad {

bool RackHolds(std::string rack, std::string_view tiles) {
  for (char tile : tiles) {
    const std::size_t at = rack.find(tile);
    if (at == std::string::npos) return false;
    rack.erase(at, 1);
  }
  return true;
}

Player::Player(SettingsStore& store, bool isComputer, Bag& bag)
    : config(store, isComputer), bag_(bag) {}

void Player::NewRack() {
  score = 0;
  rack.clear();
  Draw(kRackSize);
}

bool Player::RemoveFromRack(char letter) {
  std::size_t at = rack.find(letter);
  if (at == std::string::npos) at = rack.find('?');
  if (at == std::string::npos) return false;
  rack.erase(at, 1);
  return true;
}

void Player::PlayTiles(std::string placedTiles, int total) {
  score += total;
  for (char tile : placedTiles) RemoveFromRack(tile);
  Draw(static_cast<int>(placedTiles.size()));
}

bool Player::ExchangeTiles(std::string chosen) {
  if (chosen.empty() || static_cast<int>(chosen.size()) > bag_.Size()) return false;
  // Only tiles the rack really holds may go back, or the bag would gain tiles from nowhere.
  if (!RackHolds(rack, chosen)) return false;
  for (char tile : chosen) rack.erase(rack.find(tile), 1);
  std::string drawn = bag_.Exchange(chosen);
  rack += drawn;
  lastDrawn = drawn;
  return true;
}

void Player::Draw(int count) {
  std::string drawn = bag_.DrawTiles(count);
  rack += drawn;
  if (!drawn.empty()) lastDrawn = drawn;
}

}  // namespace lumiquad
