#!/bin/sh
# Runs the CTest suites of the given build folders. Without a display it starts itself again
# under a virtual X server, so that the tests needing an OpenGL window run headless
# (Mesa's software renderer). Sound goes to SDL's dummy driver. Exits non-zero on any failure.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ] && [ -z "${QUORL_UNDER_XVFB:-}" ]; then
  export QUORL_UNDER_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi
export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1
# Mesa's software renderer draws on the calling thread only: its worker threads, still running at
# exit, now and then crash the leak checker's thread tracer in the sanitizer build.
export LP_NUM_THREADS=0
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$top/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The tests never read or write the player's own settings: a scratch config folder of their own.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
status=0
for dir in "$@"; do
  echo "== tests in $dir"
  ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 300 || status=1
done
exit $status
