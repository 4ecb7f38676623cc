#!/usr/bin/env bash
# Installs what is needed and builds everything into build/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$top/build" -j "$(nproc)"
