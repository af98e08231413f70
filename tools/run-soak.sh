#!/bin/sh
# The soak: the autoplayer with --invulnerable plays from FROM_FLOOR (1: a new game) until it
# stands on STOP_FLOOR (0: through floor 30, the ending roll and back to the title), in the given
# build (the sanitizer build for `make soak`). Prints frames, floors reached, wall time and the
# resident memory at each floor; fails on a non-zero exit (a sanitizer finding ends the program
# with an error) or when STOP_FLOOR (or, for 0, the ending) was not reached.
# Usage: run-soak.sh BUILD_DIR DATA_DIR FROM_FLOOR STOP_FLOOR [MAX_FRAMES]
set -u
build=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
from=$3 stop=$4 frames=${5:-400000}
. "$(dirname "$0")/demo-env.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
link_content "$data" "$scratch"
if [ "$from" -gt 1 ]; then
  printf "$(printf '\\%03o' "$from")\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0" > "$scratch/savedata.dat"
fi
if [ "$stop" -gt 0 ]; then play="--autoplay-floor $stop"; else play="--autoplay"; fi
start=$(date +%s)
(cd "$scratch" && "$build/bin/quorl" --fast --seed 1 --invulnerable $play --frames "$frames" --summary summary.txt \
  > output.txt 2>&1)
status=$?
end=$(date +%s)
grep '^autoplay:' "$scratch/output.txt"
reached=$(grep '^floor ' "$scratch/summary.txt" | cut -d' ' -f2)
echo "soak: floors $from to ${reached:-?}, $(grep '^frames' "$scratch/summary.txt"), $((end - start)) s, exit status $status"
if [ $status -ne 0 ]; then
  grep -v '^autoplay:' "$scratch/output.txt" | tail -40
  exit 1
fi
if [ "$stop" -gt 0 ] && [ "${reached:-0}" -lt "$stop" ]; then echo "soak: floor $stop not reached"; exit 1; fi
if [ "$stop" -eq 0 ] && ! grep -q '^scene 1' "$scratch/summary.txt"; then echo "soak: the ending was not reached"; exit 1; fi
exit 0
