# Sourced by the desktop tests: start_and_close PROGRAM SEND-CLOSE-REQUEST starts PROGRAM
# under an Xvfb of its own, waits for its window titled TRAMELA, asks it to close as a window
# manager does, and fails unless the program ends with status 0. Needs $work, a scratch
# folder, and the caller's fail function; kills what it started, and on failure shows what
# the program printed.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/xvfb_display.sh"

program_output() {
  echo "--- what the program printed:" >&2
  cat "$work/tramela.log" >&2 || true
  echo "---" >&2
}

start_and_close() {
  local program=$1 send_close_request=$2 window="" candidate status=0 app_pid
  xvfb_pid=""
  start_xvfb || fail "Xvfb did not start"
  echo "Xvfb on $DISPLAY; starting $program"
  LC_ALL=it_IT.UTF-8 QT_QPA_PLATFORM=xcb "$program" >"$work/tramela.log" 2>&1 &
  app_pid=$!
  for _ in $(seq 200); do
    for candidate in $(xdotool search --all --onlyvisible --pid "$app_pid" --name TRAMELA 2>/dev/null); do
      [ "$(xdotool getwindowname "$candidate")" = TRAMELA ] && window=$candidate
    done
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    kill "$app_pid" "$xvfb_pid" 2>/dev/null || true
    program_output
    fail "$program shows no window titled TRAMELA"
  fi
  "$send_close_request" "$window"
  for _ in $(seq 200); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$app_pid" 2>/dev/null; then
    kill "$app_pid" "$xvfb_pid" 2>/dev/null || true
    program_output
    fail "$program is still running after the close request"
  fi
  wait "$app_pid" || status=$?
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
  [ "$status" -eq 0 ] || { program_output; fail "closing the window ended $program with status $status"; }
  echo "window shown and closed, status 0"
}
