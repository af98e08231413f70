# Shared set-up of the demo, timedemo and soak scripts, sourced by them (`. tools/demo-env.sh`):
# without a display the calling script starts itself again under a virtual X server (on a server
# number away from the common ones), sound goes to SDL's dummy driver, and link_content DATA DIR
# links the game's content folders of DATA into the scratch working folder DIR.
if [ -z "${DISPLAY:-}" ] && [ -z "${QUORL_UNDER_XVFB:-}" ]; then
  export QUORL_UNDER_XVFB=1
  exec xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1024x768x24" sh "$0" "$@"
fi
export SDL_AUDIODRIVER=dummy
link_content() {
  for folder in img model SE sounds; do ln -s "$1/$folder" "$2/$folder"; done
}
