#!/usr/bin/env bash
# Installs what is needed, builds, and starts the game.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/build.sh"
# The desktop window is not built yet; until it is, this shows the board and checks a few
# words with the headless program.
"$top/build/bin/lumiquad-cli" board --type Lumiquad
"$top/build/bin/lumiquad-cli" check "$@" LUMINOUS QUAD QI || true
