#!/bin/sh
# The picture test: replays the picture test's own scripts (tests/pictures/*.txt) named in
# tests/pictures/pictures.list with this build (the committed demos' frames are taken and compared
# by their replay check, tools/check-demo.sh), takes the listed frames and compares each with its committed reference picture (identical, or no channel
# off by more than 2 and under 0.1 % of the pixels different). A picture that fails is kept in
# KEEP_DIR for inspection. Usage: check-pictures.sh QUORL DATA_DIR KEEP_DIR
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
quorl=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
data=$2 keep=$3
diff=$(dirname "$quorl")/picturediff
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
grep -v '^ *#' "$top/tests/pictures/pictures.list" | awk 'NF >= 3 { print $1, $2, $3 }' |
  while read -r demo frame picture; do
    [ -f "$top/tests/demos/$demo.txt" ] || echo "$demo $frame $picture"
  done > "$shots/list"
sh "$top/tools/replay-pictures.sh" "$quorl" "$data" "$shots" "$shots/list" || exit 1
status=0
while read -r demo frame picture; do
  if ! "$diff" "$top/tests/pictures/$picture" "$shots/$picture" "$picture ($demo, frame $frame)"; then
    mkdir -p "$keep"
    [ -f "$shots/$picture" ] && cp "$shots/$picture" "$keep/$picture" && echo "  the new picture: $keep/$picture"
    status=1
  fi
done < "$shots/list"
exit $status
