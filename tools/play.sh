#!/usr/bin/env bash
# Installs what is needed, builds, and starts the game.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/build.sh"
exec "$top/build/bin/lumiquad" "$@"
