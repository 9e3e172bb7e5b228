#!/usr/bin/env bash
# Starts tramela where no window can open: each case must end with status 1, the Italian line
# naming the cause on standard error, and no core file even with core dumps allowed.
# Usage: no_display_report_test.sh path/to/tramela
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
free=99  # a display number no X server here holds
while [ -e "/tmp/.X$free-lock" ] || [ -e "/tmp/.X11-unix/X$free" ]; do free=$((free + 1)); done
failed=0
while IFS='|' read -r display cause; do
  status=0
  (ulimit -c unlimited; exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
    ${display:+DISPLAY=$display} timeout 20 "$1") 2>stderr || status=$?
  line="tramela: impossibile aprire la finestra: $cause"
  if [ "$status" -ne 1 ] || ! grep -qxF "$line" stderr || compgen -G 'core*' >/dev/null; then
    echo "FAIL DISPLAY=${display:-unset}: status $status, $(ls); wanted: $line" >&2; cat stderr >&2
    failed=1; rm -f core*
  fi
done <<CASES
|nessun display indicato (DISPLAY e WAYLAND_DISPLAY non sono impostate)
:$free|nessun display raggiungibile (DISPLAY=:$free)
CASES
exit "$failed"
