#include "settings/settings_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace lumiquad {
namespace {

TEST(SettingsText, WrittenDocumentReadsBackExactly) {
  SettingsDocument document;
  SettingsValues& win = KeyOf(document, "Software\\Lumiquad\\Win");
  PutSettingsValue(win, "Color", std::int32_t{3});
  PutSettingsValue(win, "dictionary", std::string("/home/ann/My \"words\"\\list.txt"));
  PutSettingsValue(win, "pass", std::string("tab\there\nline\r\x01\x7f caf\xc3\xa9"));
  PutSettingsValue(win, "low", std::int32_t{INT32_MIN});
  PutSettingsValue(win, "high", std::int32_t{INT32_MAX});
  PutSettingsValue(win, "empty", std::string());
  SettingsValues& board = KeyOf(document, "Software\\Lumiquad\\Board");
  PutSettingsValue(board, "name0", std::string("Scrabble"));

  SettingsDocument read = ParseSettingsText(FormatSettingsText(document));

  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].path, "Software\\Lumiquad\\Win");
  ASSERT_EQ(read[0].values.size(), win.size());
  for (std::size_t i = 0; i < win.size(); ++i) {
    EXPECT_EQ(read[0].values[i].name, win[i].name);
    EXPECT_EQ(read[0].values[i].value, win[i].value) << win[i].name;
  }
  EXPECT_EQ(*FindSettingsValue(read[1].values, "name0"), SettingsValue(std::string("Scrabble")));
}

TEST(SettingsText, DamagedLinesAreSkippedAndTheRestIsRead) {
  const std::string longText(kMaxSettingsText + 1, 'x');
  const std::string text =
      "orphan = 5\r\n"  // before any key
      "[Software\\Lumiquad\\Win]\r\n"
      "Color = 4\r\n"
      "garbage without equals\n"
      "= 7\n"                  // no name
      "level = 12abc\n"        // not a number
      "width = 99999999999\n"  // past the 32-bit range
      "pass = \"unterminated\n"
      "filter = \"text\" trailing\n"
      "bad = \"\\q\"\n"  // unknown escape
      "huge = \"" +
      longText +
      "\"\n"
      "; a comment\n"
      "# another\n"
      "height = -12\n"
      "[broken\n"
      "lost = 1\n"                   // belongs to no key
      "[software\\lumiquad\\WIN]\n"  // same key, other case
      "COLOR = 6\n";

  SettingsDocument document = ParseSettingsText(text);

  ASSERT_EQ(document.size(), 1u);
  const SettingsValues& win = document[0].values;
  EXPECT_EQ(win.size(), 2u);
  EXPECT_EQ(*FindSettingsValue(win, "color"), SettingsValue(std::int32_t{6}));
  EXPECT_EQ(*FindSettingsValue(win, "height"), SettingsValue(std::int32_t{-12}));
  for (const char* absent : {"level", "width", "pass", "filter", "bad", "huge", "lost"}) {
    EXPECT_EQ(FindSettingsValue(win, absent), nullptr) << absent;
  }
}

TEST(SettingsText, EmptyAndBinaryInputGiveNoValues) {
  EXPECT_TRUE(ParseSettingsText("").empty());
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xff);
  SettingsDocument document = ParseSettingsText(binary);
  for (const SettingsKey& key : document) EXPECT_LE(key.values.size(), 64u);
}

}  // namespace
}  // namespace lumiquad
