#!/bin/sh
# The word lists' generator gives the same bytes on every run, and the committed files are
# what it gives. Skipped (77) where npm or the package archive cannot be reached.
#   make_wordlists_test.sh SOURCE_DIR WORK_FOLDER
source=$1
work=$2
rm -rf "$work" && mkdir -p "$work" || exit 1
for run in first second; do
  "$source/tools/make_wordlists.sh" "$work/$run" > /dev/null
  status=$?
  [ "$status" -eq 0 ] || exit "$status"
done
for file in dictionary.txt simple.dat WORD-LIST-LICENSE SCOWL-COPYRIGHT; do
  cmp "$work/first/$file" "$work/second/$file" || exit 1
  cmp "$work/first/$file" "$source/data/$file" || exit 1
done
echo "the generator gives the committed lists, twice"
