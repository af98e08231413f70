#!/bin/sh
# Replays one committed demo and compares its summary with the expected one; a difference prints
# both. The same replay takes the demo's frames listed in tests/pictures/pictures.list and compares
# them with their reference pictures (a failing picture is kept in KEEP_DIR). With CONFIG, the replay
# runs under that config file (the player's settings, which must not change the summary), and the
# pictures, which may differ, are not compared. The replay's statistics (--stats) must agree with
# its summary (tools/check-stats.sh) and, but for their date and time, with NAME.stats beside the
# expected summary when there is one.
# Usage: check-demo.sh QUORL DATA_DIR DEMO EXPECTED_SUMMARY [KEEP_DIR [CONFIG]]
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
quorl=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
data=$2 demo=$3 expected=$4 keep=${5:-pictures-failed} config=${6:-}
name=$(basename "$demo" .txt)
list=$top/tests/pictures/pictures.list
. "$(dirname "$0")/demo-env.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
link_content "$data" "$scratch"
cp "$demo" "$scratch/demo.txt"
[ -f "$demo.sav" ] && cp "$demo.sav" "$scratch/demo.txt.sav"
mkdir -p "$scratch/shots"
grep -v '^ *#' "$list" | awk -v d="$name" 'NF >= 3 && $1 == d { print $2, $3 }' > "$scratch/pictures"
if [ -n "$config" ]; then
  cp "$config" "$scratch/quorl.cfg"
  : > "$scratch/pictures"
fi
awk -v o="$scratch/shots" '{ print $1 " screenshot " o "/" $2 }' "$scratch/pictures" >> "$scratch/demo.txt"
run_windowed "$scratch" "$scratch/output.txt" "$quorl" --fast --invulnerable --config "$scratch/quorl.cfg" --input demo.txt --summary summary.txt --stats stats.txt
status=$?
if [ $status -ne 0 ]; then
  echo "$(basename "$demo"): the replay ended with status $status"
  cat "$scratch/output.txt"
  exit 1
fi
if ! cmp -s "$expected" "$scratch/summary.txt"; then
  echo "$(basename "$demo"): the replay's summary differs from $(basename "$expected")"
  echo "== expected"; cat "$expected"
  echo "== replayed"; cat "$scratch/summary.txt"
  exit 1
fi
echo "$(basename "$demo"): the replay gives the expected summary${config:+ under $(basename "$config")}"
sh "$top/tools/check-stats.sh" "$scratch/summary.txt" "$scratch/stats.txt" || exit 1
expectedStats=${expected%.summary}.stats
grep -v '^#' "$scratch/stats.txt" | cut -d' ' -f1,4- > "$scratch/stats.cut"
if [ -f "$expectedStats" ] && ! cmp -s "$expectedStats" "$scratch/stats.cut"; then
  echo "$(basename "$demo"): the replay's statistics differ from $(basename "$expectedStats")"
  echo "== expected"; cat "$expectedStats"
  echo "== replayed"; cat "$scratch/stats.cut"
  exit 1
fi
echo "$(basename "$demo"): the statistics agree with the summary${config:+ under $(basename "$config")}"
status=0
while read -r frame picture; do
  if ! "$(dirname "$quorl")/picturediff" "$top/tests/pictures/$picture" "$scratch/shots/$picture" \
      "$picture ($name, frame $frame)"; then
    mkdir -p "$keep"
    [ -f "$scratch/shots/$picture" ] && cp "$scratch/shots/$picture" "$keep/$picture" &&
      echo "  the new picture: $keep/$picture"
    status=1
  fi
done < "$scratch/pictures"
exit $status
