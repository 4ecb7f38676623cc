#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test. Fails when any test fails.
#
# The game's logic (everything but the window) is also built and tested once more under
# AddressSanitizer and UBSan, so that the readers' fuzz tests and the self-play runs catch memory
# errors and undefined behaviour as well as crashes.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/build.sh"
cmake -S "$top" -B "$top/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMIQUAD_BUILD_UI=OFF \
  -DCMAKE_CXX_FLAGS="-O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined"
cmake --build "$top/build-sanitize" -j "$(nproc)"
ctest --test-dir "$top/build-sanitize" --output-on-failure -j "$(nproc)" \
  -E '^(install\.|words\.TheGeneratorGivesTheCommittedListsTwice)'
ctest --test-dir "$top/build" --output-on-failure -j "$(nproc)"
