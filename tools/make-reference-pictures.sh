#!/bin/sh
# Makes the reference pictures of the picture test (tests/pictures/*.png) with a given build: every
# frame listed in tests/pictures/pictures.list, replayed from its demo. Run it with the build the
# pictures are to be kept from (the one before a change to the drawing), then commit the PNGs.
# Usage: make-reference-pictures.sh BUILD_DIR DATA_DIR
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
sh "$top/tools/replay-pictures.sh" "$build/bin/quorl" "$data" "$top/tests/pictures"
grep -v '^ *#' "$top/tests/pictures/pictures.list" | awk 'NF >= 3 { print $3 }' | while read -r picture; do
  if [ -f "$top/tests/pictures/$picture" ]; then
    echo "tests/pictures/$picture"
  else
    echo "tests/pictures/$picture: not taken (is the frame inside its demo?)"
  fi
done
