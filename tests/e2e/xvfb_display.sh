# Sourced by the scripts that run the real program: start_xvfb starts an Xvfb of the
# script's own and exports its DISPLAY. Needs $work (a scratch folder) and sets $xvfb_pid,
# which the caller kills on exit. Xvfb writes its number to fd 3 once it is ready; the
# number is drawn at random above the low ones other servers take, and a server that dies
# or cannot be reached (another run took the number) is replaced by one on another number.
# The server runs with -noreset, as a desktop's server never sees its last client leave: by
# default Xvfb resets whenever that happens, and a client connecting during the reset (the
# next program started right after xdotool's check or after the previous program) is turned
# away now and then, which Qt reports as a fatal "could not connect to display".
# Usage: start_xvfb [WIDTHxHEIGHTxDEPTH]
start_xvfb() {
  local screen=${1:-640x800x24} display
  for _ in 1 2 3 4 5; do
    display=$((100 + RANDOM % 900))
    : >"$work/display"
    Xvfb ":$display" -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset \
      3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 200); do
      [ -s "$work/display" ] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -s "$work/display" ] && DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1
    then
      export DISPLAY=":$display"
      return 0
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  cat "$work/xvfb.log" >&2
  return 1
}
