#include "settings/reg_records.h"

#include <algorithm>

namespace lumiquad {

namespace {

void ClampAll(LetterTable& table, int high) {
  for (std::int32_t& value : table) value = std::clamp<std::int32_t>(value, 0, high);
}

std::int32_t InRangeOr(std::int32_t value, std::int32_t low, std::int32_t high,
                       std::int32_t fallback) {
  return value >= low && value <= high ? value : fallback;
}

}  // namespace

CBagRegConfig::CBagRegConfig(SettingsStore& store) : CRegConfig(store, "Software\\Lumiquad\\Bag") {
  Load();
}

CBagRegConfig::~CBagRegConfig() { Save(); }

void CBagRegConfig::Exchange(bool save) {
  ExchangeDwordList(save, "freq", freq);
  if (!save) ClampAll(freq, kMaxFrequency);
}

CBoardRegConfig::CBoardRegConfig(SettingsStore& store)
    : CRegConfig(store, "Software\\Lumiquad\\Board") {
  Load();
}

CBoardRegConfig::~CBoardRegConfig() { Save(); }

void CBoardRegConfig::Exchange(bool save) {
  ExchangeDwordList(save, "letterval", letterval);
  ExchangeStringList(save, "name", name);
  ExchangeStringList(save, "boards", boards);
  ExchangeString(save, "defaultboard", defaultboard);
  if (!save) ClampAll(letterval, kMaxLetterValue);
}

CMoveRegConfig::CMoveRegConfig(SettingsStore& store)
    : CRegConfig(store, "Software\\Lumiquad\\Move") {
  Load();
}

CMoveRegConfig::~CMoveRegConfig() { Save(); }

void CMoveRegConfig::SetBonus(int value) {
  bonus = std::clamp(value, kMinBonus, kMaxBonus);
  Save();
}

void CMoveRegConfig::Exchange(bool save) {
  ExchangeDword(save, "Bonus", bonus);
  if (!save) bonus = std::clamp<std::int32_t>(bonus, kMinBonus, kMaxBonus);
}

CPlayerRegConfig::CPlayerRegConfig(SettingsStore& store, bool computer)
    : CRegConfig(store, "Software\\Lumiquad\\Player"), isComputer(computer) {
  Load();
  if (name.empty()) {
    name = isComputer ? "Vazovi" : "Player 1";
    Save();
  }
}

CPlayerRegConfig::~CPlayerRegConfig() { Save(); }

void CPlayerRegConfig::Exchange(bool save) {
  ExchangeString(save, isComputer ? "computer" : "human", name);
}

CWinRegConfig::CWinRegConfig(SettingsStore& store) : CRegConfig(store, "Software\\Lumiquad\\Win") {
  Load();
}

CWinRegConfig::~CWinRegConfig() { Save(); }

void CWinRegConfig::SetWindowSize(bool large) {
  width = large ? 930 : 751;
  height = large ? 740 : 570;
}

void CWinRegConfig::Exchange(bool save) {
  ExchangeDword(save, "Color", color);
  ExchangeString(save, "dictionary", dictionary);
  ExchangeDword(save, "level", level);
  ExchangeDword(save, "width", width);
  ExchangeDword(save, "height", height);
  ExchangeString(save, "pass", pass);
  ExchangeDword(save, "filter", filter);
  if (!save) {
    color = InRangeOr(color, 0, kColorCount - 1, kDefaultColor);
    level = InRangeOr(level, 0, kLevelCount - 1, kDefaultLevel);
    filter = filter != 0 ? 1 : 0;
  }
}

}  // namespace lumiquad
