#include "model/layouts.h"

namespace lumiquad {

namespace {

constexpr std::string_view kLumiquadLayout =
    "|.....=.=.....|"
    ".&.....*.....&."
    "..%...$.$...%.."
    "...=.#...#.=..."
    "....~.....~...."
    "...#.%...%.#..."
    "=.$...&.&...$.="
    ".*.....|.....*."
    "=.$...&.&...$.="
    "...#.%...%.#..."
    "....~.....~...."
    "...=.#...#.=..."
    "..%...$.$...%.."
    ".&.....*.....&."
    "|.....=.=.....|";

constexpr std::string_view kScrabbleLayout =
    "$..|...$...|..$"
    ".#...&...&...#."
    "..#...|.|...#.."
    "|..#...|...#..|"
    "....#.....#...."
    ".&...&...&...&."
    "..|...|.|...|.."
    "$..|...#...|..$"
    "..|...|.|...|.."
    ".&...&...&...&."
    "....#.....#...."
    "|..#...|...#..|"
    "..#...|.|...#.."
    ".#...&...&...#."
    "$..|...$...|..$";

constexpr std::string_view kLiteratiLayout =
    "...$..&.&..$..."
    "..|..#...#..|.."
    ".|..|.....|..|."
    "$..&...#...&..$"
    "..|...|.|...|.."
    ".#...&...&...#."
    "&...|.....|...&"
    "...#.......#..."
    "&...|.....|...&"
    ".#...&...&...#."
    "..|...|.|...|.."
    "$..&...#...&..$"
    ".|..|.....|..|."
    "..|..#...#..|.."
    "...$..&.&..$...";

static_assert(kLumiquadLayout.size() == kLayoutLength);
static_assert(kScrabbleLayout.size() == kLayoutLength);
static_assert(kLiteratiLayout.size() == kLayoutLength);

}  // namespace

std::string_view GameTypeName(GameType type) {
  switch (type) {
    case GameType::Scrabble:
      return "Scrabble";
    case GameType::Literati:
      return "Literati";
    case GameType::Lumiquad:
      break;
  }
  return "Lumiquad";
}

std::optional<GameType> ParseGameType(std::string_view name) {
  for (GameType type : {GameType::Lumiquad, GameType::Scrabble, GameType::Literati}) {
    if (GameTypeName(type) == name) return type;
  }
  return std::nullopt;
}

std::string_view BuiltInLayout(GameType type) {
  switch (type) {
    case GameType::Scrabble:
      return kScrabbleLayout;
    case GameType::Literati:
      return kLiteratiLayout;
    case GameType::Lumiquad:
      break;
  }
  return kLumiquadLayout;
}

}  // namespace lumiquad
