#include "model/square.h"

#include <string_view>

namespace lumiquad {

namespace {

// The editing ring in forward order.
constexpr std::string_view kKindRing = "=~*$#%&|.";

}  // namespace

bool IsKindCode(char code) { return code != 0 && kKindRing.find(code) != std::string_view::npos; }

SquareKind KindOf(char character) {
  return IsKindCode(character) ? static_cast<SquareKind>(character) : SquareKind::Plain;
}

char StepKind(char character, bool forward) {
  std::size_t at = character == 0 ? std::string_view::npos : kKindRing.find(character);
  if (at == std::string_view::npos) return KindCode(SquareKind::Plain);
  std::size_t size = kKindRing.size();
  return kKindRing[forward ? (at + 1) % size : (at + size - 1) % size];
}

}  // namespace lumiquad
