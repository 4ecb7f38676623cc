#include "settings/settings_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <iterator>

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
  // Each line keeps its own line end; an added line takes the file's first one.
  const std::string rewritten = FormatSettingsText(document);
  std::string expected = text;
  expected.replace(expected.find("COLOR = 6\n"), 10, "COLOR = 2\nlevel = 3\r\n");
  EXPECT_EQ(rewritten, expected);
  EXPECT_EQ(
      ValuesOf(ParseSettingsText(rewritten), kWin),
      (SettingsValues{
          {"Color", std::int32_t{2}}, {"height", std::int32_t{-12}}, {"level", std::int32_t{3}}}));
}

TEST(SettingsText, AByteOrderMarkAndAMissingFinalNewlineSurviveARewrite) {
  const std::string text = "\xEF\xBB\xBF[Software\\Lumiquad\\Win]\r\nColor = 4";
  SettingsDocument document = ParseSettingsText(text);
  EXPECT_EQ(ValuesOf(document, kWin), (SettingsValues{{"Color", std::int32_t{4}}}));
  PutValues(document, kWin, {{"Color", std::int32_t{5}}, {"level", std::int32_t{2}}});
  EXPECT_EQ(FormatSettingsText(document),
            "\xEF\xBB\xBF[Software\\Lumiquad\\Win]\r\nColor = 5\r\nlevel = 2");
  AddKey(document, "Software\\Lumiquad\\Bag");
  EXPECT_EQ(FormatSettingsText(document).substr(text.size() + 11),
            "\r\n\r\n[Software\\Lumiquad\\Bag]");
}

// Random settings files made of every kind of line: one value changed and saved changes that
// line alone, byte for byte.
TEST(SettingsText, ChangingOneValueChangesNoOtherByte) {
  const char* const pieces[] = {"[Software\\Lumiquad\\Win]",
                                "[software\\lumiquad\\win]",
                                "[Other\\Key]",
                                "[broken",
                                "Color = 3",
                                "  level\t=  -7 ",
                                "pass = \"a\\\"b\"",
                                "width = 99999999999",
                                "# comment",
                                "; another",
                                "",
                                "junk",
                                "= 1",
                                "name = \"\xC3\xA9\"",
                                "\xEF\xBB\xBF",
                                "x = \"open"};
  const char* const ends[] = {"\n", "\r\n", ""};
  std::uint32_t seed = 12345;
  auto next = [&](std::uint32_t below) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % below;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const std::uint32_t lines = next(12);
    for (std::uint32_t i = 0; i < lines; ++i) {
      text += pieces[next(std::size(pieces))];
      text += i + 1 == lines ? ends[next(3)] : ends[next(2)];
    }
    SettingsDocument document = ParseSettingsText(text);
    ASSERT_EQ(FormatSettingsText(document), text);
    const std::optional<SettingsValues> win = ValuesOf(document, kWin);
    if (!win || win->empty()) continue;
    const SettingsEntry& changed = (*win)[next(static_cast<std::uint32_t>(win->size()))];
    PutValues(document, kWin, {{changed.name, std::int32_t{424242}}});
    const std::string saved = FormatSettingsText(document);
    // The text differs in one line: the same up to it and after it.
    std::size_t same = 0;
    while (same < text.size() && same < saved.size() && text[same] == saved[same]) ++same;
    std::size_t tail = 0;
    while (tail < text.size() - same && tail < saved.size() - same &&
           text[text.size() - 1 - tail] == saved[saved.size() - 1 - tail]) {
      ++tail;
    }
    const std::string inserted = saved.substr(same, saved.size() - same - tail);
    const std::string removed = text.substr(same, text.size() - same - tail);
    EXPECT_EQ(inserted.find('\n'), std::string::npos) << text;
    EXPECT_EQ(removed.find('\n'), std::string::npos) << text;
    const SettingsValues readBack = *ValuesOf(ParseSettingsText(saved), kWin);
    const SettingsValue* read = FindSettingsValue(readBack, changed.name);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(*read, SettingsValue(std::int32_t{424242}));
  }
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
