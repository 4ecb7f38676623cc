#include "settings/reg_config.h"

#include <charconv>

#include "settings/settings_text.h"

namespace lumiquad {

namespace {

std::string IndexedName(std::string_view prefix, std::size_t index) {
  char digits[24];
  auto [stop, error] = std::to_chars(digits, digits + sizeof digits, index);
  std::string name(prefix);
  name.append(digits, stop);
  return name;
}

// The store keeps texts of up to kMaxSettingsText bytes and reads no longer one back, so a
// longer text is stored cut at that length (at a character boundary): what is written is what
// the next start reads.
std::string StorableText(const std::string& text) {
  if (text.size() <= kMaxSettingsText) return text;
  std::size_t length = kMaxSettingsText;
  while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xc0) == 0x80) --length;
  return text.substr(0, length);
}

}  // namespace

CRegConfig::CRegConfig(SettingsStore& store, std::string keyPath)
    : store_(store), keyPath_(std::move(keyPath)) {}

bool CRegConfig::Load() {
  std::optional<SettingsValues> values = store_.OpenKey(keyPath_);
  if (!values) return false;
  openKey_ = &*values;
  Exchange(false);
  openKey_ = nullptr;
  return true;
}

bool CRegConfig::Save() {
  SettingsValues values;
  openKey_ = &values;
  Exchange(true);
  openKey_ = nullptr;
  return store_.WriteValues(keyPath_, values);
}

void CRegConfig::ExchangeDword(bool save, std::string_view name, std::int32_t& value) {
  if (openKey_ == nullptr) return;
  if (save) {
    PutSettingsValue(*openKey_, name, value);
  } else if (const SettingsValue* stored = FindSettingsValue(*openKey_, name)) {
    if (const auto* number = std::get_if<std::int32_t>(stored)) value = *number;
  }
}

void CRegConfig::ExchangeString(bool save, std::string_view name, std::string& value) {
  if (openKey_ == nullptr) return;
  if (save) {
    PutSettingsValue(*openKey_, name, StorableText(value));
  } else if (const SettingsValue* stored = FindSettingsValue(*openKey_, name)) {
    if (const auto* text = std::get_if<std::string>(stored)) {
      // A stored text ends at its first zero byte, as the records have always read it.
      value = text->substr(0, text->find('\0'));
    }
  }
}

void CRegConfig::ExchangeDwordList(bool save, std::string_view prefix,
                                   std::span<std::int32_t> list) {
  for (std::size_t i = 0; i < list.size(); ++i)
    ExchangeDword(save, IndexedName(prefix, i), list[i]);
}

void CRegConfig::ExchangeStringList(bool save, std::string_view prefix,
                                    std::span<std::string> list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    ExchangeString(save, IndexedName(prefix, i), list[i]);
  }
}

}  // namespace lumiquad
