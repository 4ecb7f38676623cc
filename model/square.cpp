#include "model/square.h"

#include <string_view>

namespace lumiquad {

namespace {

// The editing ring in forward order.
constexpr std::string_view kKindRing = "=~*$#%&|.";

}  // namespace

char StepKind(char character, bool forward) {
  std::size_t at = character == 0 ? std::string_view::npos : kKindRing.find(character);
  if (at == std::string_view::npos) return KindCode(SquareKind::Plain);
  std::size_t size = kKindRing.size();
  return kKindRing[forward ? (at + 1) % size : (at + size - 1) % size];
}

}  // namespace lumiquad
