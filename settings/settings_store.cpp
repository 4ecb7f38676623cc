#include "settings/settings_store.h"

#include <algorithm>

namespace lumiquad {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameSettingsName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

const SettingsValue* FindSettingsValue(const SettingsValues& values, std::string_view name) {
  for (const SettingsEntry& entry : values) {
    if (SameSettingsName(entry.name, name)) return &entry.value;
  }
  return nullptr;
}

void PutSettingsValue(SettingsValues& values, std::string_view name, SettingsValue value) {
  for (SettingsEntry& entry : values) {
    if (SameSettingsName(entry.name, name)) {
      entry.value = std::move(value);
      return;
    }
  }
  values.push_back({std::string(name), std::move(value)});
}

std::optional<SettingsValues> MemorySettingsStore::OpenKey(const std::string& key) {
  if (unreachable_) return std::nullopt;
  return Key(key);
}

bool MemorySettingsStore::WriteValues(const std::string& key, const SettingsValues& values) {
  if (unreachable_) return false;
  SettingsValues& stored = Key(key);
  for (const SettingsEntry& entry : values) PutSettingsValue(stored, entry.name, entry.value);
  ++writeCount_;
  return true;
}

SettingsValues& MemorySettingsStore::Key(const std::string& key) {
  for (auto& [name, values] : keys_) {
    if (SameSettingsName(name, key)) return values;
  }
  keys_.emplace_back(key, SettingsValues{});
  return keys_.back().second;
}

bool MemorySettingsStore::HasKey(const std::string& key) const {
  return std::any_of(keys_.begin(), keys_.end(),
                     [&](const auto& entry) { return SameSettingsName(entry.first, key); });
}

}  // namespace lumiquad
