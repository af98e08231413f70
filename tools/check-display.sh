#!/bin/sh
# The display check, in a 1920 x 1080 virtual screen with the classic SDL 1.2 library (LIBRARY
# classic) or the compatibility layer over SDL 2 (compat, from the libsdl1.2-compat package):
#  1. the start-up names the library, and no run prints an SDL or OpenGL error;
#  2. full screen, classic render, whole-pixel scaling: the title and a floor-1 frame are the 800 x 600
#     references scaled into the centred 4:3 area, black beside it;
#  3. full screen, sharp render: the same two frames against their own references
#     (tests/pictures/display/);
#  4. Alt+Enter pressed four times while the new-game demo plays: the same summary, four switches;
#  5. a real click on the title's CONTINUE, at its scaled place, continues the saved game, and a real
#     pointer motion of 300 pixels turns the view by 30 degrees, as in an 800 x 600 window.
# Pictures that fail are kept in KEEP_DIR. Usage: check-display.sh QUORL DATA_DIR LIBRARY KEEP_DIR
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
quorl=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
data=$2 library=$3 keep=$4
diff=$(dirname "$quorl")/picturediff
# A virtual screen of its own, whatever display the caller has.
if [ -z "${QUORL_DISPLAY_CHECK:-}" ]; then
  export QUORL_DISPLAY_CHECK=1
  exec xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1920x1080x24" sh "$0" "$@"
fi
. "$(dirname "$0")/demo-env.sh"
# Nearest-pixel scaling puts a few pixels of the boundaries on the other side in the renderer: any
# level in under 0.5 % of the pixels (a wrong scale, place or flip changes most of them).
scaled_within="255 0.005"
sharp_within="2 0.001"
case $library in
  classic)
    library_line="SDL 1.2.1[0-9]$" ;;
  compat)
    layer=$(ls -d /usr/lib/*/sdl12-compat 2>/dev/null | head -n 1)
    if [ -z "$layer" ]; then
      echo "display ($library): no compatibility layer installed (the libsdl1.2-compat package; make setup)"
      exit 1
    fi
    export LD_LIBRARY_PATH=$layer${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
    library_line="(the compatibility layer over SDL 2)$"
    # The layer draws into a framebuffer object of its own visual: blends of the 3D view round a
    # level or two otherwise in about 0.2 % of the pixels (measured: 2 levels, 0.03 to 0.2 %).
    sharp_within="4 0.005" ;;
  *)
    echo "usage: check-display.sh QUORL DATA_DIR classic|compat KEEP_DIR"
    exit 2 ;;
esac
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
link_content "$data" "$scratch"
status=0
fail() {
  echo "display ($library): $*"
  status=1
}
quorl_run() {  # OUTPUT ARGS...: the game in the scratch folder, its own config
  qr_output=$1
  shift
  run_windowed "$scratch" "$scratch/$qr_output" "$quorl" --config "$scratch/quorl.cfg" "$@"
}
compare() {  # REFERENCE SHOT LABEL PICTUREDIFF-OPTIONS...
  c_reference=$1 c_shot=$2 c_label=$3
  shift 3
  if ! "$diff" "$@" "$c_reference" "$c_shot" "$c_label ($library)"; then
    mkdir -p "$keep"
    [ -f "$c_shot" ] && cp "$c_shot" "$keep/$library-$(basename "$c_shot")" && echo "  kept: $keep/$library-$(basename "$c_shot")"
    status=1
  fi
}

# 1-3. The title (frame 3) and floor 1 (frame 150) of the new-game demo, full screen, both renders.
for render in classic sharp; do
  cp "$top/tests/demos/newgame-floor1.txt" "$scratch/shots-$render.txt"
  printf '3 screenshot %s\n150 screenshot %s\n' "$scratch/$render-title.png" "$scratch/$render-floor1.png" \
    >> "$scratch/shots-$render.txt"
  rm -f "$scratch/quorl.cfg"
  quorl_run "$render.out" --fast --invulnerable --set fullscreen=on --set render=$render \
    --set smooth_scaling=$([ $render = classic ] && echo off || echo on) --input "shots-$render.txt" --frames 151 ||
    fail "the $render replay ended with status $?"
  grep -q "^Library    : .*$library_line" "$scratch/$render.out" || fail "the start-up does not name the library"
  grep -q "^Window     : 1920 x 1080 full screen" "$scratch/$render.out" || fail "not full screen at 1920 x 1080"
done
compare "$top/tests/pictures/title.png" "$scratch/classic-title.png" "classic title" --scaled --within $scaled_within
compare "$top/tests/pictures/floor1-enemies.png" "$scratch/classic-floor1.png" "classic floor 1" \
  --scaled --within $scaled_within
compare "$top/tests/pictures/display/sharp-title.png" "$scratch/sharp-title.png" "sharp title" --within $sharp_within
compare "$top/tests/pictures/display/sharp-floor1.png" "$scratch/sharp-floor1.png" "sharp floor 1" \
  --within $sharp_within

# 4. Alt+Enter during a demo's playback: presentation only, the replay is the same.
rm -f "$scratch/quorl.cfg"
cp "$top/tests/demos/newgame-floor1.txt" "$scratch/demo.txt"
(cd "$scratch" && exec "$quorl" --fast --invulnerable --config quorl.cfg --input demo.txt --summary summary.txt \
  > toggle.out 2>&1) &
game=$!
if timeout 60 xdotool search --sync --class org.quorl.Quorl > /dev/null; then
  for press in 1 2 3 4; do
    sleep 2
    xdotool mousemove 400 300 key alt+Return
  done
else
  fail "no window of class org.quorl.Quorl"
fi
wait $game || fail "the demo with Alt+Enter ended with status $?"
cmp -s "$top/tests/demos/newgame-floor1.summary" "$scratch/summary.txt" ||
  fail "Alt+Enter changed the demo's summary"
[ "$(grep -c -E '^QUORL: (full screen|window) [0-9]+ x [0-9]+$' "$scratch/toggle.out")" -eq 4 ] ||
  fail "Alt+Enter did not switch four times: $(grep '^QUORL: ' "$scratch/toggle.out" | tr '\n' ' ')"

# 5. A real click on CONTINUE (frame 600, 540 is window 1320, 972), then, in run b, the pointer
# moved 300 pixels right. The two runs' views differ by the turn alone.
for run in a b; do
  rm -f "$scratch/quorl.cfg"
  cp "$top/tests/pictures/continue-special.txt.sav" "$scratch/save-$run.dat"
  (cd "$scratch" && exec "$quorl" --invulnerable --seed 5 --config quorl.cfg --save "save-$run.dat" \
    --set fullscreen=on --set render=classic --frames 420 --summary "pointer-$run.txt" > "pointer-$run.out" 2>&1) &
  game=$!
  timeout 60 xdotool search --sync --class org.quorl.Quorl > /dev/null
  sleep 1.5
  xdotool mousemove 1320 972 click 1
  if [ $run = b ]; then
    sleep 2.5
    xdotool mousemove_relative -- 300 0
  fi
  wait $game || fail "the pointer run $run ended with status $?"
done
for run in a b; do
  [ "$(awk '$1 == "scene" { s = $2 } $1 == "floor" { f = $2 } END { print s " " f }' "$scratch/pointer-$run.txt")" = "2 5" ] ||
    fail "the click on CONTINUE did not continue on floor 5 (run $run)"
done
turn=$(awk '$1 == "view" { y[FILENAME] = $2 } END { d = y[ARGV[2]] - y[ARGV[1]]; d = (d % 360 + 360) % 360;
  printf "%.2f", d }' "$scratch/pointer-a.txt" "$scratch/pointer-b.txt")
[ "$turn" = "30.00" ] || [ "$turn" = "330.00" ] || fail "300 pixels of pointer motion turned the view $turn degrees"

if grep -h -E "SDL error|OpenGL error" "$scratch"/*.out; then
  fail "error lines in the output"
fi
[ $status -eq 0 ] && echo "display ($library): full screen, both renders, Alt+Enter and the real pointer as expected"
exit $status
