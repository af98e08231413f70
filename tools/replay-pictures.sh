#!/bin/sh
# Takes the screenshots of the picture test: replays each demo named in tests/pictures/pictures.list
# once (with --fast --invulnerable, its FILE.sav beside it as the replay check restores it) with
# screenshot lines added at the listed frames, up to the last of them, and leaves the pictures in OUT_DIR under their listed
# names. Usage: replay-pictures.sh QUORL DATA_DIR OUT_DIR [LIST]
# A list line is "DEMO FRAME PICTURE": DEMO the name of tests/demos/DEMO.txt or, for scripts of the
# picture test's own, tests/pictures/DEMO.txt; FRAME counted as in --input scripts (1: the first
# title frame); PICTURE a PNG file name. '#' starts a comment.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
quorl=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
data=$(cd "$2" && pwd)
mkdir -p "$3"
out=$(cd "$3" && pwd)
list=${4:-$top/tests/pictures/pictures.list}
. "$(dirname "$0")/demo-env.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
link_content "$data" "$scratch"
status=0
for demo in $(grep -v '^ *#' "$list" | awk 'NF >= 3 { print $1 }' | sort -u); do
  source=$top/tests/demos/$demo.txt
  [ -f "$source" ] || source=$top/tests/pictures/$demo.txt
  if [ ! -f "$source" ]; then
    echo "$demo: no such demo in tests/demos or tests/pictures"
    status=1
    continue
  fi
  cp "$source" "$scratch/demo.txt"
  rm -f "$scratch/demo.txt.sav"
  [ -f "$source.sav" ] && cp "$source.sav" "$scratch/demo.txt.sav"
  grep -v '^ *#' "$list" | awk -v d="$demo" -v o="$out" 'NF >= 3 && $1 == d { print $2 " screenshot " o "/" $3 }' \
    >> "$scratch/demo.txt"
  # The replay stops after the demo's last listed frame: what follows shows in no picture.
  last=$(grep -v '^ *#' "$list" | awk -v d="$demo" 'NF >= 3 && $1 == d && $2 > m { m = $2 } END { print m }')
  run_windowed "$scratch" "$scratch/output.txt" "$quorl" --fast --invulnerable --config "$scratch/quorl.cfg" --input demo.txt --frames "$last"
  result=$?
  if [ $result -ne 0 ]; then
    echo "$demo: the replay ended with status $result"
    cat "$scratch/output.txt"
    status=1
  fi
done
exit $status
