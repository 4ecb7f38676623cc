#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "settings/settings_store.h"

namespace lumiquad {

// Base of the five settings records. A record knows one key of the store and the values under
// it; it loads them when it is constructed and writes them back when it is destroyed and
// whenever its owner asks. Records are not copied: two copies would both save.
class CRegConfig {
 public:
  CRegConfig(SettingsStore& store, std::string keyPath);
  virtual ~CRegConfig() = default;
  CRegConfig(const CRegConfig&) = delete;
  CRegConfig& operator=(const CRegConfig&) = delete;

  // Reads every value of the key (creating the key when missing). A value that is absent or of
  // the wrong kind leaves its field as it is. When the store cannot be reached nothing changes
  // and false is returned.
  bool Load();
  // Writes every value of the record. False when the store could not be written.
  bool Save();

  const std::string& KeyPath() const { return keyPath_; }
  SettingsStore& Store() const { return store_; }

 protected:
  // Reads (save false) or writes (save true) all values of the record, in its exchange order.
  virtual void Exchange(bool save) = 0;

  void ExchangeDword(bool save, std::string_view name, std::int32_t& value);
  void ExchangeString(bool save, std::string_view name, std::string& value);
  // A list is exchanged as one value per element, named prefix + decimal index from 0.
  void ExchangeDwordList(bool save, std::string_view prefix, std::span<std::int32_t> list);
  void ExchangeStringList(bool save, std::string_view prefix, std::span<std::string> list);

 private:
  SettingsStore& store_;
  std::string keyPath_;
  // The open key while Load or Save runs: the values read, or the values being gathered.
  SettingsValues* openKey_ = nullptr;
};

}  // namespace lumiquad
