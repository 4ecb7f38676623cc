#include "words/language_filter.h"

#include <algorithm>

#include "settings/reg_records.h"

namespace lumiquad {

namespace {

constexpr std::array<std::string_view, kFilteredWordCount> kFilteredWords = {
    "fuck",       "fucking",   "fucker",       "fuckers",       "shitter",  "shitters",
    "shit",       "shitting",  "piss",         "pissing",       "cunt",     "cunts",
    "nigger",     "bitch",     "bitches",      "whore",         "whores",   "slut",
    "sluts",      "fucks",     "pisses",       "shits",         "shithead", "dickhead",
    "arses",      "shitheads", "dickheads",    "arse",          "ass",      "dick",
    "wank",       "wanker",    "wankers",      "dicks",         "wanks",    "sex",
    "cum",        "semen",     "motherfucker", "motherfuckers", "sexes",    "bastard",
    "bastards",   "vagina",    "penis",        "penises",       "vaginas",  "vaginal",
    "homosexual", "lesbian",   "lesbians",     "homosexuals",   "pussies",  "pussy",
    "hooker",     "hookers",   "prostitutes",  "prostitute",    "niggers",  "scum",
    "spiv",       "coon",      "coons",        "spivs",         "queers",   "queer",
};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

const std::array<std::string_view, kFilteredWordCount>& FilteredWords() { return kFilteredWords; }

bool IsFilteredWord(std::string_view word) {
  return std::any_of(kFilteredWords.begin(), kFilteredWords.end(), [word](std::string_view listed) {
    return listed.size() == word.size() &&
           std::equal(word.begin(), word.end(), listed.begin(),
                      [](char a, char b) { return Lower(a) == Lower(b); });
  });
}

SetFilterResult SetFilter(CWinRegConfig& settings, const std::string& typedPassword, bool checked) {
  if (typedPassword != settings.pass && !settings.pass.empty()) {
    return {false,
            settings.filter != 0,
            {"Password incorrect, no changes applied", "Invalid Password"}};
  }
  SetFilterResult result{true, checked, {}};
  settings.filter = checked ? 1 : 0;
  result.message =
      checked ? FilterMessage{"You have chosen to filter out adult language", "Language Filtered"}
              : FilterMessage{"You have chosen NOT to filter out adult language",
                              "Language Unfiltered"};
  settings.Save();
  return result;
}

SetPasswordResult SetPassword(CWinRegConfig& settings, const std::string& old,
                              const std::string& password, const std::string& again) {
  const bool longEnough = password.size() >= 2 && again.size() >= 2;
  if (password == again && longEnough && old == settings.pass) {
    SetPasswordResult result{true,
                             {"You have set the password to " + password +
                                  ", please remember it as you will need it to change the "
                                  "language filter setting in future",
                              "Password protection"}};
    settings.pass = password;
    settings.Save();
    return result;
  }
  if (!longEnough) {
    return {false, {"Passwords must be greater than 1 character long", "Invalid Password"}};
  }
  if (old == settings.pass) {
    return {false, {"Password strings are different, please re-enter", "Invalid Password"}};
  }
  return {false, {"Please enter current password into the field marked 'old'", "Old Password"}};
}

}  // namespace lumiquad
