#!/bin/sh
# The frame-cost benchmark: plays every committed demo (tests/demos/*.txt) with --timedemo in the
# given build folder and prints one table (numbers, no assertions) for the 800 x 600 window, then
# one for each render full screen at 1920 x 1080. Runs under a virtual X server when there is no
# display (the second part always in one of 1920 x 1080); sound goes to SDL's dummy driver.
# Usage: run-timedemo.sh BUILD_DIR [DATA_DIR]   (DATA_DIR: the content, BUILD_DIR/data by default)
# hitches: frames over twice the demo's median, the first frame of each scene not counted.
# With CSV_DIR=FOLDER each demo's per-frame file (--timedemo-csv) is kept there as DEMO.csv (the
# full-screen and profiled plays as DEMO-classic.csv, DEMO-sharp.csv, DEMO-phases.csv).
# With PHASES=1 each demo is played a second time with --timedemo-phases, and the per-phase
# profile follows the table (that run waits for the drawing at every phase, so it is slower).
# The demos were recorded with --invulnerable and are played with it, as the replay test does.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
data=$(cd "${2:-$build/data}" && pwd)
. "$(dirname "$0")/demo-env.sh"
if [ -n "${CSV_DIR:-}" ]; then
  mkdir -p "$CSV_DIR"
  CSV_DIR=$(cd "$CSV_DIR" && pwd)
  export CSV_DIR
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
link_content "$data" "$scratch"
# One timed play of tests/demos/$1 with the extra options $2... (its .sav beside it, if any); a start
# the virtual X server refuses is tried again, as the replay check does.
play() {
  demo=$1
  shift
  cp "$demo" "$scratch/demo.txt"
  rm -f "$scratch/demo.txt.sav"
  [ -f "$demo.sav" ] && cp "$demo.sav" "$scratch/demo.txt.sav"
  run_windowed "$scratch" "$scratch/output.txt" "$build/bin/quorl" --config "$scratch/quorl.cfg" --invulnerable \
    --timedemo demo.txt --timedemo-csv "$scratch/frames.csv" "$@" || true
  if [ -n "${CSV_DIR:-}" ] && [ -f "$scratch/frames.csv" ]; then
    mkdir -p "$CSV_DIR"
    cp "$scratch/frames.csv" "$CSV_DIR/$(basename "$demo" .txt)${CSV_SUFFIX:-}.csv"
  fi
  cat "$scratch/output.txt"
}
# One table: every demo played with the extra options $1... .
table() {
  printf '%-28s %7s %8s %8s %8s %8s %8s %8s %8s %10s\n' demo frames seconds fps median_ms p90_ms p99_ms worst_ms hitches \
    startup_ms
  for demo in "$top"/tests/demos/*.txt; do
    [ -f "$demo" ] || continue
    case "$demo" in *.summary.txt) continue ;; esac
    output=$(play "$demo" "$@")
    # "timedemo start-up: the first frame drawn N ms after the program started"
    startup=$(echo "$output" | sed -n 's/^timedemo start-up: the first frame drawn \([0-9]*\) ms.*/\1/p')
    # "timedemo NAME: F frames, S s, A fps, median M ms, 90% P ms, 99% Q ms, worst W ms, H hitches"
    echo "$output" | grep '^timedemo ' | grep -v '^timedemo start-up' | sed 's/^timedemo .*: //' |
      awk -v name="$(basename "$demo" .txt)" -v startup="${startup:--}" \
        '{ printf "%-28s %7d %8.2f %8.1f %8.2f %8.2f %8.2f %8.2f %8d %10s\n", name, $1, $3, $5, $8, $11, $14, $17, $19,
           startup }'
  done
}
# The second part, run by the first in a virtual screen of 1920 x 1080: full screen, both renders.
if [ "${QUORL_TIMEDEMO_FULL_SCREEN:-}" = 1 ]; then
  for render in classic sharp; do
    echo
    echo "full screen 1920 x 1080, render $render"
    CSV_SUFFIX=-$render table --set fullscreen=on --set render=$render
  done
  exit 0
fi
echo "window 800 x 600"
table
if [ "${PHASES:-0}" = 1 ]; then
  for demo in "$top"/tests/demos/*.txt; do
    [ -f "$demo" ] || continue
    echo "== $(basename "$demo" .txt)"
    CSV_SUFFIX=-phases play "$demo" --timedemo-phases | sed -n '/^phases /,$p' | tail -n +2
  done
fi
# Full screen at 1920 x 1080, in a virtual screen of that size (the software renderer's cost of the
# larger picture: classic scales the 800 x 600 frame, sharp draws the 3D view at 1440 x 1080).
QUORL_TIMEDEMO_FULL_SCREEN=1 xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1920x1080x24" sh "$0" "$@"
