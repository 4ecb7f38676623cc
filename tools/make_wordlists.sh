#!/usr/bin/env bash
# Builds the two word lists in data/ from Debian's scowl package (Spell-Checker Oriented Word
# Lists) and copies its copyright notice beside them.
#
#   data/dictionary.txt  the main list: SCOWL sizes 10 to 80 of the English, American and
#                        British word files, about 245,000 words
#   data/simple.dat      the common words: sizes 10 to 35 of the same files, about 40,000 words
#
# Only lower-case entries are kept, which drops proper nouns and abbreviations; then only words
# of 2 to 15 letters A to Z. Words are written in upper case, one a line, sorted, with no
# duplicates. The output is reproducible for a given scowl version.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
scowl=/usr/share/dict/scowl

if [ ! -d "$scowl" ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y scowl
fi

# Lists the word files of the three spellings up to a SCOWL size.
word_files() {
  local max=$1
  for file in "$scowl"/{english,american,british}-words.*; do
    local size=${file##*.}
    if [ "$size" -le "$max" ]; then printf '%s\n' "$file"; fi
  done
}

build_list() {
  local max=$1 out=$2
  word_files "$max" | xargs cat \
    | LC_ALL=C grep -E '^[a-z]{2,15}$' \
    | LC_ALL=C tr 'a-z' 'A-Z' \
    | LC_ALL=C sort -u > "$out"
}

build_list 80 "$top/data/dictionary.txt"
build_list 35 "$top/data/simple.dat"
cp /usr/share/doc/scowl/copyright "$top/data/SCOWL-COPYRIGHT"

scowl_version=$(dpkg-query -W -f='${Version}' scowl 2>/dev/null || echo unknown)
printf 'dictionary.txt: %s words\nsimple.dat: %s words\nscowl %s\n' \
  "$(wc -l < "$top/data/dictionary.txt")" "$(wc -l < "$top/data/simple.dat")" "$scowl_version"
