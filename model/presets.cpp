#include "model/presets.h"

#include "model/bag.h"
#include "model/board.h"

namespace lumiquad {

namespace {

constexpr std::array<ValuePreset, kValuePresetCount> kValuePresets{{
    {"Lumiquad setting",
     {1, 3, 3, 2, 1, 4, 3, 4, 1, 5, 5, 1, 3, 1, 1, 3, 10, 1, 1, 1, 1, 4, 4, 5, 4, 5}},
    {"Higher values",
     {5, 5, 10, 6, 5, 8, 10, 15, 5, 20, 20, 5, 8, 5, 5, 5, 20, 5, 10, 5, 9, 13, 17, 14, 10, 12}},
    {"Lower values",
     {1, 1, 5, 3, 1, 4, 5, 3, 3, 5, 5, 1, 3, 1, 1, 1, 5, 1, 5, 1, 3, 4, 4, 3, 3, 5}},
    {"All 1", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {"Scrabble setting",
     {1, 3, 3, 2, 1, 4, 2, 4, 1, 8, 5, 1, 3, 1, 1, 3, 10, 1, 1, 1, 1, 4, 4, 8, 4, 10}},
    {"Literati setting",
     {1, 1, 1, 1, 1, 3, 1, 2, 1, 5, 3, 1, 1, 1, 1, 2, 5, 1, 1, 1, 1, 4, 4, 5, 3, 5}},
}};

constexpr LetterTable kLiteratiValues{1, 2, 1, 1, 1, 3, 1, 2, 1, 5, 3, 1, 1,
                                      1, 1, 2, 5, 1, 1, 1, 1, 4, 4, 5, 3, 5};

constexpr std::array<FrequencyPreset, kFrequencyPresetCount - 1> kFrequencyPresets{{
    {"Lumiquad...",
     {10, 1, 2, 4, 15, 1, 2, 1, 9, 1, 1, 5, 2, 7, 6, 2, 0, 7, 8, 7, 2, 1, 1, 1, 1, 1}},
    {"Scrabble Setting",
     {9, 2, 2, 4, 12, 2, 3, 2, 9, 1, 1, 4, 2, 6, 8, 2, 1, 6, 4, 6, 4, 2, 2, 1, 2, 1}},
    {"JQXYZ Fun", {5, 1, 1, 2, 12, 1, 3, 1, 5, 4, 4, 2, 1, 6, 5, 1, 2, 6, 5, 6, 9, 2, 2, 4, 4, 4}},
    {"Vowel Heavy",
     {9, 1, 1, 2, 15, 1, 2, 1, 9, 1, 1, 2, 1, 6, 9, 1, 1, 6, 9, 6, 9, 1, 1, 1, 1, 1}},
    {"Cons Heavy", {4, 3, 3, 6, 8, 3, 3, 3, 4, 1, 1, 6, 3, 8, 4, 3, 1, 8, 4, 8, 3, 4, 4, 1, 1, 1}},
}};

// The random preset's counts: 0 to 15 drawn per letter, vowels A E I O raised by 4 and the hard
// letters B C G H J Q X Z lowered by 5, then made up to 97 letters (or left at 98).
std::string RandomFrequencyString(Bag& bag) {
  constexpr std::string_view kRaised = "AEIO";
  constexpr std::string_view kLowered = "BCGHJQXZ";
  std::vector<int> drawn = RandomInts(15, kLetterCount, bag.ClockRef());
  LetterTable counts{};
  for (int i = 0; i < kLetterCount; ++i) {
    char letter = static_cast<char>('A' + i);
    int count = drawn[static_cast<std::size_t>(i)];
    if (kRaised.find(letter) != std::string_view::npos) count += 4;
    if (kLowered.find(letter) != std::string_view::npos) count -= 5;
    counts[static_cast<std::size_t>(i)] = count;
  }
  std::string letters = LetterString(counts);
  const int length = static_cast<int>(letters.size());
  if (length > kMinimumFullBag) {
    bag.SetBagLetters(letters);
    letters.clear();
    for (char tile : bag.GetContents()) {
      if (tile != '?' && letters.size() < 97) letters += tile;
    }
  } else if (length < kMinimumFullBag) {
    bag.SetBagLetters(LetterString(kFrequencyPresets[kVowelHeavyFrequencies].counts));
    letters += bag.GetContents().substr(0, static_cast<std::size_t>(kMinimumFullBag - length - 1));
  }
  return letters;
}

}  // namespace

const std::array<ValuePreset, kValuePresetCount>& ValuePresets() { return kValuePresets; }

const LetterTable& LiteratiValues() { return kLiteratiValues; }

const std::array<FrequencyPreset, kFrequencyPresetCount - 1>& FrequencyPresets() {
  return kFrequencyPresets;
}

std::string_view FrequencyPresetName(int index) {
  if (index == kRandomFrequencies) return "Literati Setting";
  if (index < 0 || index > kRandomFrequencies) return {};
  return kFrequencyPresets[static_cast<std::size_t>(index)].name;
}

std::string LetterString(const LetterTable& counts) {
  std::string letters;
  for (int i = 0; i < kLetterCount; ++i) {
    int count = counts[static_cast<std::size_t>(i)];
    if (count > 0) letters.append(static_cast<std::size_t>(count), static_cast<char>('A' + i));
  }
  return letters;
}

void ApplyValuePreset(Board& board, int index) {
  if (index < 0 || index >= kValuePresetCount) return;
  board.SetLetterValues(kValuePresets[static_cast<std::size_t>(index)].values);
}

void ApplyFrequencyPreset(Bag& bag, int index) {
  if (index < 0 || index >= kFrequencyPresetCount) return;
  if (index == kRandomFrequencies) {
    bag.SetFullSet(RandomFrequencyString(bag));
  } else {
    bag.SetFullSet(LetterString(kFrequencyPresets[static_cast<std::size_t>(index)].counts));
  }
}

void ApplyGameType(GameType type, Board& board, Bag& bag, CMoveRegConfig& moveConfig) {
  constexpr int kLumiquadFrequencies = 0;
  constexpr int kLumiquadValues = 0;
  constexpr int kScrabbleValues = 4;
  ApplyFrequencyPreset(bag,
                       type == GameType::Scrabble ? kScrabbleFrequencies : kLumiquadFrequencies);
  moveConfig.SetBonus(type == GameType::Literati ? 35 : 50);
  switch (type) {
    case GameType::Lumiquad:
      ApplyValuePreset(board, kLumiquadValues);
      break;
    case GameType::Scrabble:
      ApplyValuePreset(board, kScrabbleValues);
      break;
    case GameType::Literati:
      board.SetLetterValues(kLiteratiValues);
      break;
  }
  board.LayBuiltIn(type);
  const std::string typeName(GameTypeName(type));
  board.SaveLayoutAs(typeName);
  board.SetDefaultBoard(typeName);
}

}  // namespace lumiquad
