#!/bin/sh
# The frame-cost benchmark: plays every committed demo (tests/demos/*.txt) with --timedemo in the
# given build folder and prints one table (numbers, no assertions). Runs under a virtual X server
# when there is no display; sound goes to SDL's dummy driver.
# Usage: run-timedemo.sh BUILD_DIR [DATA_DIR]   (DATA_DIR: the content, BUILD_DIR/data by default)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
data=$(cd "${2:-$build/data}" && pwd)
. "$(dirname "$0")/demo-env.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
link_content "$data" "$scratch"
printf '%-28s %7s %8s %8s %8s %8s %8s %8s\n' demo frames seconds fps median_ms p90_ms p99_ms worst_ms
for demo in "$top"/tests/demos/*.txt; do
  [ -f "$demo" ] || continue
  case "$demo" in *.summary.txt) continue ;; esac
  # A start the virtual X server refuses (now and then, on a loaded machine) is tried again.
  for attempt in 1 2 3 4 5; do
    line=$(cd "$scratch" && "$build/bin/quorl" --timedemo "$demo" 2>&1 | grep '^timedemo ' || true)
    [ -n "$line" ] && break
    sleep "$attempt"
  done
  # "timedemo NAME: F frames, S s, A fps, median M ms, 90% P ms, 99% Q ms, worst W ms"
  echo "$line" | sed 's/^timedemo .*: //' | awk -v name="$(basename "$demo" .txt)" \
    '{ printf "%-28s %7d %8.2f %8.1f %8.2f %8.2f %8.2f %8.2f\n", name, $1, $3, $5, $8, $11, $14, $17 }'
done
