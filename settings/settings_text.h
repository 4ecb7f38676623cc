#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"

namespace lumiquad {

// One line of the settings file, as read. Every line is kept, so that a rewrite changes only
// the values the program writes: comments, keys and values it does not know, and lines it
// cannot read all stay where they were, as they were.
struct SettingsLine {
  enum class Kind { Other, Key, Value };
  Kind kind = Kind::Other;
  std::string text;  // the line without its line end
  std::string end;   // its own line end: "\n", "\r\n", or nothing for a last line without one
  std::string key;   // Key: the key's path; Value: the path of the key it belongs to
  std::string name;  // Value: the value's name
  SettingsValue value;
};

// The whole settings file: its lines in file order.
using SettingsDocument = std::vector<SettingsLine>;

// Longest text value the store keeps. The reader ignores a longer one in a damaged file, and
// the writer never writes one (see CRegConfig), so what is written is always read back.
inline constexpr std::size_t kMaxSettingsText = 4096;

// Reads the settings file's text form:
//
//   [Software\Lumiquad\Win]
//   Color = 1
//   dictionary = "/usr/share/lumiquad/dictionary.txt"
//
// Integers are bare decimal numbers, texts are quoted with \\ \" \n \r \t and \xHH escapes.
// Blank lines and lines starting with '#' or ';' are comments; a byte-order mark before the first
// line is read through (and kept). Lines that do not parse, numbers
// outside the 32-bit range and over-long texts count for nothing, so their defaults stay in
// force; keys and value names compare without regard to ASCII case, and of two values of one
// name the later counts.
SettingsDocument ParseSettingsText(std::string_view text);

// The document's text: its lines, each with its own line end. A line the program adds takes
// the file's first line end, and a file that ended without one still does.
std::string FormatSettingsText(const SettingsDocument& document);

// A new file's document: two comment lines that say what the file is.
SettingsDocument NewSettingsDocument();

// The values of a key, or nothing when the document has no such key.
std::optional<SettingsValues> ValuesOf(const SettingsDocument& document, std::string_view key);

// Adds the key at the end when the document has none of that path.
void AddKey(SettingsDocument& document, const std::string& key);

// Writes values into a key (added when missing): a value that is read from a line of the key
// has that line rewritten in place; any other is added after the key's last line.
void PutValues(SettingsDocument& document, const std::string& key, const SettingsValues& values);

}  // namespace lumiquad
