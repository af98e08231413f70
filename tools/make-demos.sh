#!/bin/sh
# Records the committed demos again with the autoplayer (tests/demos/demos.list), so that a change
# of the game made on purpose shows as a reviewed diff of the demos and their summaries.
# Usage: make-demos.sh BUILD_DIR [DATA_DIR]   (DATA_DIR: the content, BUILD_DIR/data by default)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
data=$(cd "${2:-$build/data}" && pwd)
. "$(dirname "$0")/demo-env.sh"
grep -v '^#' "$top/tests/demos/demos.list" | while read -r name seed floor stop; do
  [ -n "$name" ] || continue
  scratch=$(mktemp -d)
  link_content "$data" "$scratch"
  # A continue starts from a save file of that floor (16 bytes: the floor, then zeros).
  [ "$floor" -gt 0 ] && printf "$(printf '\\%03o' "$floor")\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0" > "$scratch/savedata.dat"
  args="--fast --invulnerable --seed $seed --record demo.txt --summary summary.txt"
  if [ "$stop" -gt 0 ]; then args="$args --autoplay-floor $stop"; else args="$args --autoplay"; fi
  (cd "$scratch" && "$build/bin/quorl" --config "$scratch/quorl.cfg" $args > /dev/null)
  cp "$scratch/demo.txt" "$top/tests/demos/$name.txt"
  rm -f "$top/tests/demos/$name.txt.sav"
  [ -f "$scratch/demo.txt.sav" ] && cp "$scratch/demo.txt.sav" "$top/tests/demos/$name.txt.sav"
  cp "$scratch/summary.txt" "$top/tests/demos/$name.summary"
  echo "$name: $(grep -c . "$top/tests/demos/$name.txt") lines, $(grep '^frames' "$scratch/summary.txt")"
  rm -rf "$scratch"
done
