#!/usr/bin/env bash
# Usage: no_display_report_test.sh TRAMELA. No display, one where nothing answers, or a platform plugin
# that does not load beside a display: status 1, the Italian line naming that cause, no core file.
work=$(mktemp -d) && cd "$work" && trap 'rm -rf "$work"' EXIT || exit 1
free=99; while [ -e /tmp/.X$free-lock ] || [ -e /tmp/.X11-unix/X$free ]; do free=$((free + 1)); done  # no X server there
failed=0
while IFS='|' read -r display platform cause; do
  (ulimit -c unlimited; exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
    ${display:+DISPLAY=$display} ${platform:+QT_QPA_PLATFORM=$platform} timeout 20 "$1") 2>stderr; status=$?
  [ $status = 1 ] && grep -qxF "tramela: impossibile aprire la finestra: $cause" stderr && ! ls core* 2>/dev/null ||
    { echo "FAIL DISPLAY=${display:-unset} QT_QPA_PLATFORM=${platform:-unset}: status $status" >&2; cat stderr >&2; failed=1; rm -f core*; }
done <<CASES
||nessun display indicato (DISPLAY e WAYLAND_DISPLAY non sono impostate)
:$free||nessun display raggiungibile (DISPLAY=:$free)
:$free|bogus|nessun modulo di piattaforma caricabile (QT_QPA_PLATFORM=bogus, DISPLAY=:$free)
CASES
exit $failed
