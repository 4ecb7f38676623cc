#pragma once

#include <string>

#include "settings/settings_store.h"

namespace lumiquad {

// The settings file of the current user: $XDG_CONFIG_HOME/Lumiquad/settings.conf, where an unset
// or relative XDG_CONFIG_HOME means ~/.config. Empty when no home folder can be found.
std::string DefaultSettingsPath();

// The store kept as one human-readable file (see ParseSettingsText for its form). Every open
// and every write reads the file afresh under an advisory lock (flock on settings.conf.lock
// beside it), so two running copies each change only the values they write, as with the
// registry; every write replaces the file atomically and keeps every line it does not change.
class FileSettingsStore : public SettingsStore {
 public:
  explicit FileSettingsStore(std::string path);

  std::optional<SettingsValues> OpenKey(const std::string& key) override;
  bool WriteValues(const std::string& key, const SettingsValues& values) override;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace lumiquad
