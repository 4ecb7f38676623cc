#include "settings/settings_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace lumiquad {
namespace {

constexpr const char* kWin = "Software\\Lumiquad\\Win";

TEST(SettingsText, WrittenValuesReadBackExactly) {
  const SettingsValues win = {
      {"Color", std::int32_t{3}},
      {"dictionary", std::string("/home/ann/My \"words\"\\list.txt")},
      {"pass", std::string("tab\there\nline\r\x01\x7f caf\xc3\xa9")},
      {"low", std::int32_t{INT32_MIN}},
      {"high", std::int32_t{INT32_MAX}},
      {"empty", std::string()},
      {"longest", std::string(kMaxSettingsText, 'x')},
  };
  SettingsDocument document = NewSettingsDocument();
  PutValues(document, kWin, win);
  PutValues(document, "Software\\Lumiquad\\Board", {{"name0", std::string("Scrabble")}});

  const SettingsDocument read = ParseSettingsText(FormatSettingsText(document));
  EXPECT_EQ(ValuesOf(read, kWin), win);
  EXPECT_EQ(ValuesOf(read, "software\\lumiquad\\BOARD"),
            (SettingsValues{{"name0", std::string("Scrabble")}}));
  EXPECT_FALSE(ValuesOf(read, "Software\\Lumiquad\\Bag").has_value());
}

TEST(SettingsText, DamagedLinesCountForNothingAndEveryLineSurvivesARewrite) {
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
      "COLOR = 6\n"
      "[Someone\\Else]\n"
      "theirs  =   \"kept as written\"\n";

  SettingsDocument document = ParseSettingsText(text);
  const SettingsValues win = ValuesOf(document, kWin).value();
  EXPECT_EQ(win, (SettingsValues{{"Color", std::int32_t{6}}, {"height", std::int32_t{-12}}}));

  // A rewrite changes the one line whose value changes and adds the new value to the key; the
  // rest, unknown keys, comments and unreadable lines included, stays as it was.
  PutValues(
      document, kWin,
      {{"color", std::int32_t{2}}, {"height", std::int32_t{-12}}, {"level", std::int32_t{3}}});
  const std::string rewritten = FormatSettingsText(document);
  std::string expected = text;
  for (std::size_t at; (at = expected.find('\r')) != std::string::npos;) expected.erase(at, 1);
  expected.replace(expected.find("COLOR = 6\n"), 10, "COLOR = 2\nlevel = 3\n");
  EXPECT_EQ(rewritten, expected);
  EXPECT_EQ(
      ValuesOf(ParseSettingsText(rewritten), kWin),
      (SettingsValues{
          {"Color", std::int32_t{2}}, {"height", std::int32_t{-12}}, {"level", std::int32_t{3}}}));
}

TEST(SettingsText, EmptyAndBinaryInputGiveNoValues) {
  EXPECT_TRUE(ParseSettingsText("").empty());
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xff);
  const std::optional<SettingsValues> win = ValuesOf(ParseSettingsText(binary), kWin);
  EXPECT_TRUE(!win || win->empty());
}

}  // namespace
}  // namespace lumiquad
