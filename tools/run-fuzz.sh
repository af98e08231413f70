#!/bin/sh
# Runs every libFuzzer target of a fuzz build (files named fuzz_* in bin/) for a bounded time each,
# starting from the seed corpus the build wrote (corpus/<target>/), and prints executions and
# crashes per target. Exits non-zero when any target crashed.
set -u
dir=$(cd "$1" && pwd)
seconds=${2:-60}
status=0
summary=""
for f in "$dir"/bin/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="$dir/corpus/$name"
  work="$dir/fuzz-work/$name"
  mkdir -p "$corpus" "$work/corpus"
  log="$work/log.txt"
  echo "== $name ($seconds s)"
  (cd "$work" && "$f" -max_total_time="$seconds" -print_final_stats=1 "$work/corpus" "$corpus" >"$log" 2>&1)
  rc=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  crashes=$(ls "$work" | grep -c -E '^(crash|leak|timeout|oom|slow-unit)-')
  [ $rc -eq 0 ] || { status=1; tail -n 30 "$log"; }
  summary="$summary$name: executions ${execs:-0}, crashes $crashes, exit $rc
"
done
printf '%s' "$summary"
exit $status
