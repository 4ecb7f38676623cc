#pragma once

#include <string>

#include "model/random.h"
#include "settings/reg_records.h"

namespace lumiquad {

// The undrawn tiles: letters 'A' to 'Z' and '?' for a blank, in drawing order, shuffled before
// every draw and drawn from the front. The letter frequencies of a full bag live in the bag
// record, which loads when the bag is built and saves when it is destroyed.
class Bag {
 public:
  // Loads the stored frequencies and fills the bag from them.
  Bag(SettingsStore& store, const Clock& clock);

  // Swaps random pairs of tiles; a bag of 2 tiles or fewer is left alone.
  void ShuffleBag();
  // Shuffles, then hands out the first k tiles (all of them when k is at least the bag's size,
  // none when k <= 0). A draw that hands out tiles is remembered as LastDrawn().
  std::string DrawTiles(int k);
  // Puts tiles back at the end and shuffles.
  void ReturnTiles(const std::string& letters);
  // Draws as many tiles as are given, then returns the given ones, so a returned tile cannot
  // come straight back. Refused (empty result, bag unchanged) when the bag holds fewer tiles
  // than are given, or none are given.
  std::string Exchange(std::string letters);

  // Lays the given tiles as the bag's contents (with "??" added when addBlanks is set and the
  // text holds no blank) and shuffles. The stored frequencies are not touched: this is how a
  // bag is restored from a saved position.
  void SetBagLetters(std::string letters, bool addBlanks = true);
  // Puts back contents exactly as they were, in drawing order, without shuffling or touching
  // the stored frequencies: a review ending, a saved game being opened.
  void SetContents(std::string tiles) { contents_ = std::move(tiles); }
  // Lays a full set of tiles (two blanks added when it holds none), shuffles, recounts the
  // frequencies from it and saves them.
  void SetFullSet(std::string letters);
  // Refills from the stored frequencies; a table that gives fewer than 98 tiles with the two
  // blanks is replaced by the "Scrabble Setting" frequencies, which are saved.
  void FillBag();

  // A copy of the contents, sorted by character when asked.
  std::string GetContents(bool sorted = false) const;
  int Size() const { return static_cast<int>(contents_.size()); }
  bool IsEmpty() const { return contents_.empty(); }
  const std::string& LastDrawn() const { return lastDrawn_; }
  void SetLastDrawn(std::string letters) { lastDrawn_ = std::move(letters); }

  const LetterTable& Frequencies() const { return config_.freq; }
  CBagRegConfig& Config() { return config_; }
  const Clock& ClockRef() const { return clock_; }

 private:
  void RecountFrequencies();

  CBagRegConfig config_;
  const Clock& clock_;
  std::string contents_;
  std::string lastDrawn_;
};

// A bag of 98 letters and two blanks is full; fewer tiles than this count as no stored table.
inline constexpr int kMinimumFullBag = 98;

}  // namespace lumiquad
