#!/bin/sh
# The soak: the autoplayer with --invulnerable plays from FROM_FLOOR (1: a new game) until it
# stands on STOP_FLOOR (0: through floor 30, the ending roll and back to the title), in the given
# build (the sanitizer build for `make soak`). Prints frames, floors reached, wall time and the
# resident memory at each floor; fails on a non-zero exit (a sanitizer finding ends the program
# with an error), on a sanitizer report in the output, when a floor reached has no memory sample,
# or when STOP_FLOOR (or, for 0, the ending) was not reached. The closing lines give the peak
# resident memory and how much it grew from the third floor played on (it should stay flat).
# Usage: run-soak.sh BUILD_DIR DATA_DIR FROM_FLOOR STOP_FLOOR [MAX_FRAMES [SEED]]
set -u
build=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
from=$3 stop=$4 frames=${5:-400000} seed=${6:-1}
. "$(dirname "$0")/demo-env.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
link_content "$data" "$scratch"
if [ "$from" -gt 1 ]; then
  printf "$(printf '\\%03o' "$from")\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0" > "$scratch/savedata.dat"
fi
if [ "$stop" -gt 0 ]; then play="--autoplay-floor $stop"; else play="--autoplay"; fi
# Mesa unloads its software driver before the leak checker reports at exit, so the driver's own
# leftovers would show without a stack and escape the suppressions: keep it loaded for the run.
driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1)
if [ -n "$driver" ]; then
  export LD_PRELOAD="$driver${LD_PRELOAD:+ $LD_PRELOAD}"
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
fi
start=$(date +%s)
run_windowed "$scratch" "$scratch/output.txt" \
  "$build/bin/quorl" --config "$scratch/quorl.cfg" --fast --seed "$seed" --invulnerable $play --frames "$frames" --summary summary.txt
status=$?
end=$(date +%s)
grep '^autoplay:' "$scratch/output.txt"
reached=$(grep '^floor ' "$scratch/summary.txt" 2>/dev/null | cut -d' ' -f2)
echo "soak: floors $from to ${reached:-?}, $(grep '^frames' "$scratch/summary.txt" 2>/dev/null), $((end - start)) s, exit status $status"
# "autoplay: floor N at frame F, resident K kB": one sample a floor.
grep '^autoplay: floor' "$scratch/output.txt" | awk -v from="$from" '
  { floor = $3; kb = $(NF - 1); seen[floor] = 1; if (kb > peak) { peak = kb; at = floor }
    if (floor == from + 2) base = kb; last = kb }
  END { if (NR == 0) exit
        printf "soak: %d floor samples, peak resident %d kB (floor %d)", NR, peak, at
        if (base > 0) printf ", from floor %d on %+d kB", from + 2, last - base
        printf "\n" }'
if grep -q -E "ERROR: (Address|Leak)Sanitizer|runtime error:" "$scratch/output.txt"; then
  echo "soak: sanitizer finding"
  grep -A30 -E "ERROR: (Address|Leak)Sanitizer|runtime error:" "$scratch/output.txt" | head -60
  exit 1
fi
if [ $status -ne 0 ]; then
  grep -v '^autoplay:' "$scratch/output.txt" | tail -40
  exit 1
fi
floor=$from
while [ "$floor" -le "${reached:-0}" ]; do
  grep -q "^autoplay: floor $floor at" "$scratch/output.txt" || { echo "soak: no memory sample on floor $floor"; exit 1; }
  floor=$((floor + 1))
done
if [ "$stop" -gt 0 ] && [ "${reached:-0}" -lt "$stop" ]; then echo "soak: floor $stop not reached"; exit 1; fi
if [ "$stop" -eq 0 ] && ! grep -q '^scene 1' "$scratch/summary.txt"; then echo "soak: the ending was not reached"; exit 1; fi
exit 0
