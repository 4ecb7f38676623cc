#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test. Fails when any test fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/build.sh"
ctest --test-dir "$top/build" --output-on-failure -j "$(nproc)"
