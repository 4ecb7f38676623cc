#!/bin/sh
# The command-line tools refuse bad options with their usage (status 2) and never abort; a save
# folder on a full disk fails with the system's reason.
#   options_test.sh LUMIQUAD_CLI LUMIQUAD_BENCH WORK_FOLDER
cli=$1
bench=$2
work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0

# expect STATUS COMMAND...: the command must end with that status.
expect() {
  want=$1
  shift
  "$@" > out.txt 2> err.txt
  got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAILED (status $got, not $want): $*"
    cat err.txt
    failures=$((failures + 1))
  fi
}

touch afile
expect 2 "$cli" report game.lqg ""
expect 2 "$cli" report "" out.txt
expect 2 "$cli" selfplay --games 0
expect 2 "$cli" selfplay --games 2147483648
expect 2 "$cli" selfplay --games 4294967297
expect 2 "$cli" selfplay --games 1 --seed 9223372036854775807
expect 2 "$cli" selfplay --games 1 --level 11
expect 2 "$cli" selfplay --games 1 --save-dir afile
grep -q "afile" err.txt || { echo "FAILED: no reason for the save folder"; failures=$((failures + 1)); }
expect 1 "$bench" --repeat 1x
expect 1 "$bench" --repeat 99999999999

# A full disk: no game file fits, and the run says why and fails.
(trap '' XFSZ; ulimit -f 1; exec "$cli" selfplay --games 1 --no-checks --save-dir saved) \
  > out.txt 2> err.txt
status=$?
if [ "$status" -eq 0 ] || ! grep -q "could not write saved/game-1.lqg: File too large" err.txt; then
  echo "FAILED: a full disk gave status $status and:"
  cat err.txt
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "all passed"
exit "$failures"
