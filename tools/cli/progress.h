#pragma once

#include <cstdio>
#include <string>

namespace lumiquad {

// A progress bar on standard error, drawn over itself: "[####      ] 4/10 games".
inline void ShowProgress(int done, int total, const char* unit) {
  constexpr int kWidth = 30;
  const int filled = total > 0 ? done * kWidth / total : kWidth;
  std::fprintf(
      stderr, "\r[%s%s] %d/%d %s", std::string(static_cast<std::size_t>(filled), '#').c_str(),
      std::string(static_cast<std::size_t>(kWidth - filled), ' ').c_str(), done, total, unit);
  if (done == total) std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace lumiquad
