#!/usr/bin/env bash
# Builds the two word lists, with the licences of their sources, in data/ (or in the folder
# given):
#
#   dictionary.txt  the main list: the words of the npm package word-list 4.1.0 (MIT), a list
#                   made for word games, with the everyday words it lacks: those of scowl's
#                   sizes up to 50 (swearing and newer words such as TIMEZONE), less the slurs
#                   and letter plurals of tools/wordlist_exclusions.txt; 2 to 15 letters A to Z
#   simple.dat      the common words: the smallest sizes (10 to 35) of Debian's scowl package
#                   (Spell-Checker Oriented Word Lists), lower-case entries only, limited to
#                   words of the main list so that every simple word can be played
#
# Words are written in upper case, one a line, sorted (C locale), without duplicates. The
# package's words file is checked against a fixed digest, so the output is the same bytes on
# every run for a given scowl version. Exits 77 when a source cannot be had (no npm, no network,
# no scowl), so that a test can tell "cannot run here" from "wrong output".
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$top/data}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

word_list=word-list@4.1.0
word_list_digest=2df02fa8ed82d465482ae40c4f9cb52a713baa1d3bfdce1acb2a5fe30420eea8
scowl=/usr/share/dict/scowl

# The word game list, straight from the npm registry.
if ! command -v npm >/dev/null || ! (cd "$work" && npm pack --silent "$word_list" >/dev/null 2>&1); then
  echo "make_wordlists: cannot fetch $word_list with npm" >&2
  exit 77
fi
tar -xzf "$work"/word-list-*.tgz -C "$work"
if ! echo "$word_list_digest  $work/package/words.txt" | sha256sum --check --status; then
  echo "make_wordlists: $word_list's words.txt is not the one these lists were made from" >&2
  exit 1
fi

# SCOWL, from Debian's archive.
if [ ! -d "$scowl" ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if ! DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq scowl >/dev/null 2>&1; then
    echo "make_wordlists: cannot install scowl" >&2
    exit 77
  fi
fi

# Lists the SCOWL word files of the three spellings up to a size.
scowl_files() {
  local max=$1
  for file in "$scowl"/{english,american,british}-words.*; do
    local size=${file##*.}
    if [ "$size" -le "$max" ]; then printf '%s\n' "$file"; fi
  done
}

# Words of 2 to 15 letters a to z, in upper case, sorted and unique.
board_words() {
  LC_ALL=C grep -E '^[a-z]{2,15}$' | LC_ALL=C tr 'a-z' 'A-Z' | LC_ALL=C sort -u
}

board_words < "$work/package/words.txt" > "$work/wordgame.txt"
scowl_files 50 | xargs cat | board_words > "$work/everyday.txt"
grep -v -e '^#' -e '^$' "$top/tools/wordlist_exclusions.txt" | board_words > "$work/excluded.txt"
LC_ALL=C sort -u "$work/wordgame.txt" "$work/everyday.txt" \
  | LC_ALL=C comm -23 - "$work/excluded.txt" > "$out/dictionary.txt"
scowl_files 35 | xargs cat | board_words > "$work/common.txt"
LC_ALL=C comm -12 "$work/common.txt" "$out/dictionary.txt" > "$out/simple.dat"
cp "$work/package/license" "$out/WORD-LIST-LICENSE"
cp /usr/share/doc/scowl/copyright "$out/SCOWL-COPYRIGHT"

scowl_version=$(dpkg-query -W -f='${Version}' scowl 2>/dev/null || echo unknown)
printf 'dictionary.txt: %s words (%s)\nsimple.dat: %s words (scowl %s)\n' \
  "$(wc -l < "$out/dictionary.txt")" "$word_list" "$(wc -l < "$out/simple.dat")" "$scowl_version"
