# Shared set-up of the demo, timedemo and soak scripts, sourced by them (`. tools/demo-env.sh`):
# without a display the calling script starts itself again under a virtual X server (on a server
# number away from the common ones), sound goes to SDL's dummy driver, and link_content DATA DIR
# links the game's content folders of DATA into the scratch working folder DIR.
# run_windowed DIR OUTPUT COMMAND... runs the game's COMMAND in the folder DIR with its output in
# the file OUTPUT and returns its status. The virtual X server now and then refuses a connection
# while many programs start at once: such a start never reached the game, so it is tried again.
if [ -z "${DISPLAY:-}" ] && [ -z "${QUORL_UNDER_XVFB:-}" ]; then
  export QUORL_UNDER_XVFB=1
  exec xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1024x768x24" sh "$0" "$@"
fi
export SDL_AUDIODRIVER=dummy
link_content() {
  for folder in img model SE sounds; do ln -s "$1/$folder" "$2/$folder"; done
}
run_windowed() {
  rw_dir=$1 rw_output=$2
  shift 2
  for rw_attempt in 1 2 3 4 5; do
    (cd "$rw_dir" && "$@" > "$rw_output" 2>&1)
    rw_status=$?
    grep -q -E "needs an X display|Couldn.t open X11 display|Couldn.t initialize SDL" "$rw_output" || break
    sleep "$rw_attempt"
  done
  return $rw_status
}
