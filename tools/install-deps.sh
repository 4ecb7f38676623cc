#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Lumiquad need. Does
# nothing when they are all present already.
set -euo pipefail

packages=(
  g++ cmake ninja-build
  libgtest-dev libbenchmark-dev
  qt6-base-dev fonts-liberation2
  appstream desktop-file-utils
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
