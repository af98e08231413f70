#!/bin/sh
# Runs every benchmark binary of a build folder (files named bench_* in bin/) and prints its figures.
set -eu
dir=$1
found=0
for b in "$dir"/bin/bench_*; do
  [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  "$b"
done
[ $found = 1 ] || echo "no benchmarks built"
