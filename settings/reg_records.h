#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/reg_config.h"

namespace lumiquad {

inline constexpr int kLetterCount = 26;
inline constexpr int kLayoutSlots = 20;

// Ranges the records hold their numbers to when they load, so that a damaged or hand-edited
// file can neither overflow a score nor index past a table.
inline constexpr int kMaxLetterValue = 20;
inline constexpr int kMaxFrequency = 100;
inline constexpr int kMinBonus = 1;
inline constexpr int kMaxBonus = 9999;
inline constexpr int kColorCount = 8;
inline constexpr int kDefaultColor = 1;
inline constexpr int kLevelCount = 11;
inline constexpr int kDefaultLevel = 7;

using LetterTable = std::array<std::int32_t, kLetterCount>;

// "Software\Lumiquad\Bag": the number of tiles of each letter A to Z in a full bag.
class CBagRegConfig : public CRegConfig {
 public:
  explicit CBagRegConfig(SettingsStore& store);
  ~CBagRegConfig() override;

  LetterTable freq{};

 protected:
  void Exchange(bool save) override;
};

// "Software\Lumiquad\Board": letter values and the library of named board layouts.
class CBoardRegConfig : public CRegConfig {
 public:
  explicit CBoardRegConfig(SettingsStore& store);
  ~CBoardRegConfig() override;

  LetterTable letterval{};
  std::array<std::string, kLayoutSlots> name;    // empty marks a free slot
  std::array<std::string, kLayoutSlots> boards;  // boards[i] is the layout named name[i]
  std::string defaultboard;                      // layout laid at start-up; empty: built-in

 protected:
  void Exchange(bool save) override;
};

// "Software\Lumiquad\Move": the bonus for a move that lays all seven tiles. The program keeps
// one of these for its whole run.
class CMoveRegConfig : public CRegConfig {
 public:
  explicit CMoveRegConfig(SettingsStore& store);
  ~CMoveRegConfig() override;

  // Stores the bonus (held to 1..9999) and saves the record at once.
  void SetBonus(int value);
  int GetBonus() const { return bonus; }

  std::int32_t bonus = 50;

 protected:
  void Exchange(bool save) override;
};

// "Software\Lumiquad\Player": a player's display name. Both players share the key; the computer
// is stored as "computer", the human as "human". A missing name is set to its default and saved
// at once, so a first start stores both names.
class CPlayerRegConfig : public CRegConfig {
 public:
  CPlayerRegConfig(SettingsStore& store, bool isComputer);
  ~CPlayerRegConfig() override;

  std::string name;
  const bool isComputer;

 protected:
  void Exchange(bool save) override;
};

// "Software\Lumiquad\Win": the main window's settings.
class CWinRegConfig : public CRegConfig {
 public:
  explicit CWinRegConfig(SettingsStore& store);
  ~CWinRegConfig() override;

  // The outer window size of the two screen classes: 930 by 740, or 751 by 570 when not large.
  void SetWindowSize(bool large);

  std::int32_t color = kDefaultColor;  // board colour scheme, 0 to 7
  std::string dictionary;              // full path of the main word list
  std::int32_t level = kDefaultLevel;  // playing level index, 0 to 10
  std::int32_t width = 930;
  std::int32_t height = 740;
  std::string pass;         // password of the language filter; empty means none
  std::int32_t filter = 0;  // 1 when adult words are filtered out

 protected:
  void Exchange(bool save) override;
};

}  // namespace lumiquad
