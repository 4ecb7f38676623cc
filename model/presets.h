#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/layouts.h"
#include "settings/reg_records.h"

namespace lumiquad {

class Bag;
class Board;

struct ValuePreset {
  std::string_view name;
  LetterTable values;
};

struct FrequencyPreset {
  std::string_view name;
  LetterTable counts;  // tiles of each letter, 98 in all; two blanks are added when laid
};

inline constexpr int kValuePresetCount = 6;
inline constexpr int kFrequencyPresetCount = 6;
inline constexpr int kScrabbleFrequencies = 1;
inline constexpr int kVowelHeavyFrequencies = 3;
// The last frequency preset is drawn at random rather than read from a table.
inline constexpr int kRandomFrequencies = 5;

// The six letter-value tables, in the order the letter values dialog lists them; the first is
// the default set.
const std::array<ValuePreset, kValuePresetCount>& ValuePresets();
// The Literati game type's own values: the "Literati setting" row with B worth 2.
const LetterTable& LiteratiValues();
// The five fixed frequency tables, in dialog order; the random preset follows them.
const std::array<FrequencyPreset, kFrequencyPresetCount - 1>& FrequencyPresets();
// The names of all six frequency presets, the random one last.
std::string_view FrequencyPresetName(int index);

// Each letter from A to Z as many times as its count (a count of 0 or less gives none).
std::string LetterString(const LetterTable& counts);

// Sets the board's letter values to a preset (index 0 to 5) and saves them; other indexes are
// ignored.
void ApplyValuePreset(Board& board, int index);
// Lays a frequency preset (index 0 to 5) in the bag and saves the recounted frequencies; the
// random preset draws its counts with the bag's clock. Other indexes are ignored.
void ApplyFrequencyPreset(Bag& bag, int index);

// Applies a whole game type: its frequencies, bonus, letter values and board layout, stores
// the layout in the library under the type's name (silently not when the name is taken or the
// library is full) and makes that name the default layout. The caller refuses it during a game.
void ApplyGameType(GameType type, Board& board, Bag& bag, CMoveRegConfig& moveConfig);

}  // namespace lumiquad
