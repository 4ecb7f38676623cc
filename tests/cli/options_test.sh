#!/bin/sh
# The command-line tools refuse bad options with their usage (status 2) and never abort; a save
# folder on a full disk fails with the system's reason; no output ever replaces the game read,
# another saved game, or anything that is not a regular file.
#   options_test.sh LUMIQUAD_CLI LUMIQUAD_BENCH WORK_FOLDER NO_MOVES_GAME
cli=$1
bench=$2
work=$3
noMoves=$4
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
expect 2 "$cli" check --dictionary
expect 2 "$cli" match --a nobody --b genius --pairs 1
expect 2 "$cli" match --a genius --pairs 1
expect 0 "$cli" match --a Genius --b 10 --pairs 2 --type Literati --seed 9 --pairs-out pairs.txt
cp out.txt match-side-by-side.txt
# The same deals played again go alike, pair by pair; other deals or a damaged file are refused
# before any game.
expect 0 "$cli" match --a Genius --b 10 --pairs 2 --type Literati --seed 9 --threads 1 \
  --compare pairs.txt
grep -q "over the same 2 pairs: spread +0.0 +- 0.0 a game, wins +0.0% +- 0.0; 2 pairs played alike" \
  out.txt || { echo "FAILED: no comparison"; cat out.txt; failures=$((failures + 1)); }
grep -v '^A against' out.txt > one-thread.txt
expect 2 "$cli" match --a Genius --b 10 --pairs 2 --type Literati --seed 10 --compare pairs.txt
grep -q "another seed" err.txt || { echo "FAILED: other deals compared"; failures=$((failures + 1)); }
sed '3s/.*/12 1.5/' pairs.txt > damaged.txt
expect 2 "$cli" match --a Genius --b 10 --pairs 2 --type Literati --seed 9 --compare damaged.txt
grep -q "line 3" err.txt || { echo "FAILED: damaged pairs read"; failures=$((failures + 1)); }
expect 2 "$cli" match --a Genius --b 10 --pairs 2 --compare nothing-here.txt
grep -q "no such file" err.txt || { echo "FAILED: no reason for a missing file"; failures=$((failures + 1)); }
sed 's/ms a turn.*//; s/[0-9.]* *$//' one-thread.txt > match-one-thread.txt
sed 's/ms a turn.*//; s/[0-9.]* *$//' match-side-by-side.txt > side-by-side.txt
cmp -s match-one-thread.txt side-by-side.txt \
  || { echo "FAILED: pairs side by side differ"; diff match-one-thread.txt side-by-side.txt; failures=$((failures + 1)); }
cp match-side-by-side.txt out.txt
grep -q "^A genius  *wins" out.txt && grep -q "^B learner  *wins" out.txt \
  || { echo "FAILED: no match summary"; cat out.txt; failures=$((failures + 1)); }
# A's lead by the bag adds up to its spread, each rounded to a tenth.
awk '/^A / { for (i = 1; i < NF; i++) if ($i == "spread") spread = $(i + 1) }
     /^A.s lead a game by the bag:/ { lead = $8 + $14 + $19; found = 1 }
     END { d = spread - lead; if (d < 0) d = -d; exit !(found && d < 0.25) }' out.txt \
  || { echo "FAILED: the lead by the bag is not the spread"; cat out.txt; failures=$((failures + 1)); }
# A champion that plays out a set number of racks plays the same games again, whatever the load.
expect 2 "$cli" match --a champion --b genius --pairs 1 --playouts 0
expect 0 "$cli" match --a champion --b genius --pairs 1 --type Literati --time 0 --playouts 6 \
  --pairs-out champion.txt
expect 0 "$cli" match --a champion --b genius --pairs 1 --type Literati --time 0 --playouts 6 \
  --compare champion.txt
grep -q "1 pairs played alike" out.txt || { echo "FAILED: the champion's games differ"; cat out.txt; failures=$((failures + 1)); }
expect 2 "$cli" report game.lqg out.txt --html
grep -q "must end in .htm" err.txt || { echo "FAILED: no reason for the HTML path"; failures=$((failures + 1)); }
expect 1 "$bench" --repeat 1x
expect 1 "$bench" --repeat 99999999999

# Games played side by side print what one at a time prints, game by game.
"$cli" selfplay --games 4 --seed 1700000400 --threads 1 | grep -v '^summary' > one.txt
"$cli" selfplay --games 4 --seed 1700000400 --threads 3 | grep -v '^summary' > three.txt
{ cmp -s one.txt three.txt && [ "$(grep -c '^game ' one.txt)" -eq 4 ]; } \
  || { echo "FAILED: games side by side differ"; diff one.txt three.txt; failures=$((failures + 1)); }
expect 2 "$cli" selfplay --games 1 --threads 0

# A full disk: no game file fits, and the run says why and fails, however many games are under
# way.
(trap '' XFSZ; ulimit -f 1; exec "$cli" selfplay --games 3 --threads 2 --no-checks --save-dir saved) \
  > out.txt 2> err.txt
status=$?
if [ "$status" -eq 0 ] || ! grep -q "could not write saved/game-1.lqg: File too large" err.txt; then
  echo "FAILED: a full disk gave status $status and:"
  cat err.txt
  failures=$((failures + 1))
fi

# Outputs that are not ours to replace. Each refusal leaves what was there exactly as it was.
"$cli" selfplay --games 1 --seed 1700000300 --no-checks --save-dir games > /dev/null || exit 1
cp games/game-1.lqg kept.lqg
ln -s games/game-1.lqg link.lqg
ln -s games/game-1.lqg game.txt
mkfifo fifo fifo.txt
mkdir folder.gcg
for out in games/game-1.lqg link.lqg ./games/../kept.lqg fifo folder.gcg; do
  expect 1 "$cli" export-gcg games/game-1.lqg "$out"
done
for out in game.txt fifo.txt; do
  expect 1 "$cli" report games/game-1.lqg "$out"
done
cmp -s games/game-1.lqg kept.lqg && test -p fifo && test -p fifo.txt && test -d folder.gcg \
  && test -L link.lqg && test -L game.txt \
  || { echo "FAILED: a refused output was changed"; failures=$((failures + 1)); }
"$cli" export-gcg games/game-1.lqg - | grep -q '^#player1 ' \
  || { echo "FAILED: no GCG on standard output"; failures=$((failures + 1)); }
expect 1 "$cli" export-gcg "$noMoves" empty.gcg
test ! -e empty.gcg && grep -q "no moves" err.txt \
  || { echo "FAILED: a game with no moves was exported"; failures=$((failures + 1)); }

# A file-size limit: the word cache of a list of the user's cannot be written, the run goes on
# without it, and a temporary left by a run that was killed mid-write is pruned.
mkdir -p cache/Lumiquad
touch -d '2 hours ago' cache/Lumiquad/.gaddag-0123456789abcdef.bin.AbCdEf
cp "$(dirname "$cli")/dictionary.txt" words.txt
(ulimit -f 1024; XDG_CACHE_HOME=$work/cache \
  exec "$cli" selfplay --games 1 --no-checks --dictionary words.txt) > out.txt 2> err.txt
status=$?
if [ "$status" -ne 0 ] || [ -n "$(ls -A cache/Lumiquad)" ]; then
  echo "FAILED: under a file-size limit the run gave status $status and left:"
  ls -A cache/Lumiquad
  failures=$((failures + 1))
fi

# The champion's leave trainer: a run taken up again after its first batch gives the file of a
# run that never stopped, which the champion reads; a damaged state is refused, not overwritten.
"$cli" train-leaves --games 2 --batch 2 --out half.txt 2> /dev/null
{ echo 2; cat half.txt; echo wholes; } > resumed.txt.state
"$cli" train-leaves --games 4 --batch 2 --out resumed.txt 2> /dev/null
"$cli" train-leaves --games 4 --batch 2 --out whole.txt 2> /dev/null
if ! cmp -s resumed.txt whole.txt || [ -e resumed.txt.state ] \
    || [ "$(head -n 1 whole.txt)" != "lumiquad leave values 1" ]; then
  echo "FAILED: the leave trainer did not take up its run again"
  failures=$((failures + 1))
fi
# The same in the games that learn whole leaves: a run whose file cannot be written keeps its
# state, and a longer run takes it up.
mkdir stopped.txt
"$cli" train-leaves --games 2 --whole-games 2 --batch 2 --out stopped.txt 2> /dev/null
mv stopped.txt.state resumed.txt.state
"$cli" train-leaves --games 2 --whole-games 4 --batch 2 --out resumed.txt 2> /dev/null
"$cli" train-leaves --games 2 --whole-games 4 --batch 2 --out whole.txt 2> /dev/null
if ! cmp -s resumed.txt whole.txt || [ -e resumed.txt.state ]; then
  echo "FAILED: the leave trainer did not take up learning whole leaves again"
  failures=$((failures + 1))
fi
echo "9 damaged" > broken.txt.state
expect 1 "$cli" train-leaves --games 4 --batch 2 --out broken.txt
grep -q "damaged" err.txt && [ "$(cat broken.txt.state)" = "9 damaged" ] && [ ! -e broken.txt ] \
  || { echo "FAILED: a damaged trainer state was not refused"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "all passed"
exit "$failures"
