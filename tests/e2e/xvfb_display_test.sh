#!/usr/bin/env bash
# The server start_xvfb gives must outlive its clients as a desktop's does: Xvfb by default
# resets whenever its last client leaves, and a program connecting during that reset is
# refused now and then. A reset wipes the root window's properties, so one set by a client
# that has since left tells whether the server reset.
set -euo pipefail

for tool in Xvfb xdotool xprop; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: no $tool"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
source "$(dirname "$0")/xvfb_display.sh"

start_xvfb || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
xprop -root -f TRAMELA_TEST 8s -set TRAMELA_TEST kept
# xprop has disconnected: no client is left on the server.
if ! xprop -root TRAMELA_TEST | grep -q '"kept"'; then
  echo "FAIL: the server reset when its last client left" >&2
  exit 1
fi
echo PASS
