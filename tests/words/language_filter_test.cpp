#include "words/language_filter.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/reg_records.h"

namespace lumiquad {
namespace {

TEST(LanguageFilter, ListedWordsMatchWholeInAnyCase) {
  EXPECT_EQ(std::set<std::string_view>(FilteredWords().begin(), FilteredWords().end()).size(), 66u);
  EXPECT_EQ(FilteredWords().front(), "fuck");
  EXPECT_EQ(FilteredWords().back(), "queer");
  EXPECT_TRUE(IsFilteredWord("SHIT"));
  EXPECT_TRUE(IsFilteredWord("ShIt"));
  EXPECT_TRUE(IsFilteredWord("spivs"));
  EXPECT_FALSE(IsFilteredWord("SHITS2"));
  EXPECT_FALSE(IsFilteredWord("ASSESS"));  // holds a listed word, is none
  EXPECT_FALSE(IsFilteredWord("CLASS"));
  EXPECT_FALSE(IsFilteredWord(""));
}

TEST(LanguageFilter, SetFilterNeedsTheStoredPassword) {
  MemorySettingsStore store;
  CWinRegConfig settings(store);
  SetFilterResult on = SetFilter(settings, "anything", true);  // no password: anything goes
  EXPECT_TRUE(on.accepted);
  EXPECT_TRUE(on.filterOn);
  EXPECT_EQ(on.message.text, "You have chosen to filter out adult language");
  EXPECT_EQ(on.message.caption, "Language Filtered");
  EXPECT_EQ(CWinRegConfig(store).filter, 1);  // saved

  settings.pass = "Secret";
  SetFilterResult wrong = SetFilter(settings, "secret", false);
  EXPECT_FALSE(wrong.accepted);
  EXPECT_TRUE(wrong.filterOn);
  EXPECT_EQ(wrong.message.text, "Password incorrect, no changes applied");
  EXPECT_EQ(wrong.message.caption, "Invalid Password");
  EXPECT_EQ(settings.filter, 1);

  SetFilterResult off = SetFilter(settings, "Secret", false);
  EXPECT_TRUE(off.accepted);
  EXPECT_FALSE(off.filterOn);
  EXPECT_EQ(off.message.text, "You have chosen NOT to filter out adult language");
  EXPECT_EQ(off.message.caption, "Language Unfiltered");
  EXPECT_EQ(settings.filter, 0);
}

TEST(LanguageFilter, SetPasswordChecksLengthThenMatchThenTheOldOne) {
  MemorySettingsStore store;
  CWinRegConfig settings(store);
  SetPasswordResult shortOne = SetPassword(settings, "whatever", "x", "x");
  EXPECT_FALSE(shortOne.accepted);
  EXPECT_EQ(shortOne.message.text, "Passwords must be greater than 1 character long");
  EXPECT_EQ(shortOne.message.caption, "Invalid Password");

  SetPasswordResult differ = SetPassword(settings, "", "abc", "abd");
  EXPECT_EQ(differ.message.text, "Password strings are different, please re-enter");
  EXPECT_EQ(differ.message.caption, "Invalid Password");

  SetPasswordResult set = SetPassword(settings, "", "abc", "abc");
  EXPECT_TRUE(set.accepted);
  EXPECT_EQ(set.message.text,
            "You have set the password to abc, please remember it as you will need it to change "
            "the language filter setting in future");
  EXPECT_EQ(set.message.caption, "Password protection");
  EXPECT_EQ(CWinRegConfig(store).pass, "abc");

  SetPasswordResult oldWrong = SetPassword(settings, "abd", "xyz", "xyz");
  EXPECT_FALSE(oldWrong.accepted);
  EXPECT_EQ(oldWrong.message.text, "Please enter current password into the field marked 'old'");
  EXPECT_EQ(oldWrong.message.caption, "Old Password");
  SetPasswordResult changed = SetPassword(settings, "abc", "xyz", "xyz");
  EXPECT_TRUE(changed.accepted);
  EXPECT_EQ(settings.pass, "xyz");
}

}  // namespace
}  // namespace lumiquad
