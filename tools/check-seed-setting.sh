#!/bin/sh
# A player's run from a seed: the events of a committed demo played as a plain script (not a demo:
# no seed of its own, the player's own save, statistics and records) with the setting seed = the
# demo's seed must give the demo's summary (but for the lines naming the run's --seed, and the
# music's calls, which follow the wall clock without --seed) and its statistics, write them to the
# statistics log beside the save and set the records it beats there.
# Usage: check-seed-setting.sh QUORL DATA_DIR DEMO EXPECTED_SUMMARY
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
quorl=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
data=$2 demo=$3 expected=$4
. "$(dirname "$0")/demo-env.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
link_content "$data" "$scratch"
seed=$(head -1 "$demo" | awk '{ print $NF }')
# The demo's events without its header; its last Escape (from the title) becomes a close request
# in the same frame, which a plain script may give.
grep -v '^ *#' "$demo" | sed '$s/keydown escape$/quit/' > "$scratch/plain.txt"
run_windowed "$scratch" "$scratch/output.txt" "$quorl" --fast --invulnerable --config "$scratch/quorl.cfg" \
  --save "$scratch/save/savedata.dat" --set seed="$seed" --input plain.txt --summary summary.txt
status=$?
fail() { echo "$(basename "$demo") from the seed setting: $1"; cat "$scratch/output.txt"; exit 1; }
[ $status -eq 0 ] || fail "the run ended with status $status"
grep -v -e '^seed ' -e '^map ' -e '^music-' "$expected" > "$scratch/expected.cut"
grep -v -e '^seed ' -e '^map ' -e '^music-' "$scratch/summary.txt" > "$scratch/summary.cut"
cmp -s "$scratch/expected.cut" "$scratch/summary.cut" || { diff "$scratch/expected.cut" "$scratch/summary.cut"; fail "the summary differs"; }
grep -v '^#' "$scratch/save/statistics.txt" | cut -d' ' -f1,4- > "$scratch/stats.cut"
cmp -s "${expected%.summary}.stats" "$scratch/stats.cut" || { cat "$scratch/stats.cut"; fail "the statistics log differs"; }
grep -q "^deepest normal [0-9]* $seed [0-9-]*$" "$scratch/save/records.txt" || fail "no deepest floor record of seed $seed"
echo "$(basename "$demo"): the seed setting gives the demo's game, its statistics and a record"
