#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"

namespace lumiquad {

struct SettingsKey {
  std::string path;  // such as "Software\Lumiquad\Win"
  SettingsValues values;
};

// The whole settings file: its keys in file order.
using SettingsDocument = std::vector<SettingsKey>;

// Longest text value the store keeps; a longer one in a damaged file is ignored.
inline constexpr std::size_t kMaxSettingsText = 4096;

// Reads the settings file's text form:
//
//   [Software\Lumiquad\Win]
//   Color = 1
//   dictionary = "/usr/share/lumiquad/dictionary.txt"
//
// Integers are bare decimal numbers, texts are quoted with \\ \" \n \r \t and \xHH escapes.
// Blank lines and lines starting with '#' or ';' are comments. Lines that do not parse, numbers
// outside the 32-bit range and over-long texts are skipped, so their defaults stay in force.
SettingsDocument ParseSettingsText(std::string_view text);

// Writes the text form that ParseSettingsText reads back to the same document.
std::string FormatSettingsText(const SettingsDocument& document);

// Returns the key of the document, created empty at the end when missing.
SettingsValues& KeyOf(SettingsDocument& document, const std::string& path);
const SettingsValues* FindKey(const SettingsDocument& document, std::string_view path);

}  // namespace lumiquad
