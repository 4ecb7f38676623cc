#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lumiquad {

class CWinRegConfig;

inline constexpr int kFilteredWordCount = 66;

// The built-in list of words the computer does not play while the filter is on, in lower case.
const std::array<std::string_view, kFilteredWordCount>& FilteredWords();

// True when the word, in any letter case, is one of the listed words as a whole.
bool IsFilteredWord(std::string_view word);

// A message box the filter dialogs show: text and caption, OK only.
struct FilterMessage {
  std::string text;
  std::string caption;
};

// "Set filter" in the filter dialog: with a password stored, the typed one must match it
// exactly; then the check box sets the filter setting, which is saved. `accepted` tells whether
// the setting changed; `filterOn` is the new state for the engine's flag.
struct SetFilterResult {
  bool accepted = false;
  bool filterOn = false;
  FilterMessage message;
};
SetFilterResult SetFilter(CWinRegConfig& settings, const std::string& typedPassword, bool checked);

// "Set Password": the new password, typed twice alike and at least 2 characters long, replaces
// the stored one when `old` matches it (an empty old matches no password). `accepted` tells
// whether the password was stored and saved.
struct SetPasswordResult {
  bool accepted = false;
  FilterMessage message;
};
SetPasswordResult SetPassword(CWinRegConfig& settings, const std::string& old,
                              const std::string& password, const std::string& again);

}  // namespace lumiquad
