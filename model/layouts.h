#pragma once

#include <optional>
#include <string_view>

namespace lumiquad {

inline constexpr int kBoardSize = 15;
// A whole layout as kind codes, row by row from the top row, each row from the left.
inline constexpr int kLayoutLength = kBoardSize * kBoardSize;

// The three built-in game types; each has its own board layout and tile tables.
enum class GameType { Lumiquad, Scrabble, Literati };

// "Lumiquad", "Scrabble" or "Literati": the type's name, also the name its layout is stored
// under in the layout library.
std::string_view GameTypeName(GameType type);
std::optional<GameType> ParseGameType(std::string_view name);

// The type's built-in layout, kLayoutLength kind codes.
std::string_view BuiltInLayout(GameType type);

}  // namespace lumiquad
