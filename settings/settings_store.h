#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumiquad {

// A stored value: a 32-bit integer or a text, as the records exchange them.
using SettingsValue = std::variant<std::int32_t, std::string>;

struct SettingsEntry {
  std::string name;
  SettingsValue value;
  friend bool operator==(const SettingsEntry&, const SettingsEntry&) = default;
};

// The named values of one key, in the order they were first written.
using SettingsValues = std::vector<SettingsEntry>;

// Names of keys and values compare without regard to ASCII case, as in the registry.
bool SameSettingsName(std::string_view a, std::string_view b);

// Returns the value named `name`, or null when the key holds none.
const SettingsValue* FindSettingsValue(const SettingsValues& values, std::string_view name);

// Replaces the value named `name`, or appends it when the key holds none.
void PutSettingsValue(SettingsValues& values, std::string_view name, SettingsValue value);

// The persistent store behind the settings records: keys such as "Software\Lumiquad\Win"
// holding named values. A record opens its key for each load or save and closes it again.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Reads every value of `key`, creating the key when it is missing. Returns nothing when the
  // store cannot be reached; the caller then keeps the values it holds.
  virtual std::optional<SettingsValues> OpenKey(const std::string& key) = 0;

  // Writes `values` into `key` (creating it); values of the key not named here stay.
  // Returns false when nothing could be written; what was stored before is then unchanged.
  virtual bool WriteValues(const std::string& key, const SettingsValues& values) = 0;
};

// A store that lives only in memory: for tests and for headless runs that must not touch the
// user's settings.
class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<SettingsValues> OpenKey(const std::string& key) override;
  bool WriteValues(const std::string& key, const SettingsValues& values) override;

  // Direct access for tests: the values of a key, created empty when missing.
  SettingsValues& Key(const std::string& key);
  bool HasKey(const std::string& key) const;
  // How many times WriteValues ran, to check when records save.
  int WriteCount() const { return writeCount_; }
  // While set, the store cannot be reached: OpenKey and WriteValues fail.
  void SetUnreachable(bool unreachable) { unreachable_ = unreachable; }

 private:
  std::vector<std::pair<std::string, SettingsValues>> keys_;
  int writeCount_ = 0;
  bool unreachable_ = false;
};

}  // namespace lumiquad
