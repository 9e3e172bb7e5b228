#!/usr/bin/env bash
# Runs the real tramela under its own Xvfb and drives it as a user would:
#   1. types 1,5, clicks Option1, and finds red result pixels in Label1's box on a screenshot;
#      types 10 over it and clicks Option1 again: Label1 shows what a fresh conversion of 10
#      shows (254), not the 38,1 left from before; types 1, the keypad's decimal key and 5,
#      converts again: Label1 shows 38,1 as for the typed comma; pastes 1,5 back over a 7 with
#      I in dati1's context menu (Qt's Italian "&Incolla"), and 1,5 and a line break with
#      Ctrl+V; then closes the window as a window manager does: the program ends with status
#      0; then, with no regional settings at all (LANG=C), 1,5 with Option1 shows the same
#      38,1, as the window's heading says; then, by keyboard alone, Ctrl+C in the list,
#      Shift+F10 and "Copia", and the Menu key and "Copia" copy 38,1, and Ctrl+C in dati1
#      copies dati1's text; under en_US, 1.5 chosen with Down copies 38.1;
#   2. types abc, clicks Option1, finds the error report titled "Tramela", dismisses it with
#      Return: the program ends with status 1;
#   3. closes the window right after start: the program ends with status 0.
# Usage: tramela_e2e.sh path/to/tramela path/to/send_close_request
#   The program may be a command that starts it: tests/windows runs tramela.exe under Wine with
#   TRAMELA_E2E_WINDOWS=1, which leaves out the LANG=C step (Windows always has regional settings).
# Leaves tramela-converted.png (the window after step 1) in the working directory.
set -euo pipefail

tramela=$1
send_close_request=$2

for tool in Xvfb xdotool xclip import convert; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

# Where the controls are, in pixels from the window's top-left corner.
readonly DATI1_AT="200 76"                  # inside dati1 (168, 64, 121 x 25)
readonly OPTION1_AT="38 166"                # Option1's indicator (Frame1 at 16,104 + 16,56)
readonly OPTION2_AT="38 190"                # Option2's indicator (Frame1 at 16,104 + 16,80)
readonly LABEL1_BOX="247x39+32+448"         # Label1, as ImageMagick's crop geometry
readonly MIN_RED_PIXELS=20
readonly POLL=0.1
readonly TRIES=200                          # 20 s at most for anything to happen

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$app_pid" ]; then
    kill -0 "$app_pid" 2>/dev/null && echo "tramela is running" >&2 || echo "tramela has ended" >&2
  fi
  echo "windows on the display:" >&2
  for window in $(xdotool search --name '' 2>/dev/null); do
    echo "  $window '$(xdotool getwindowname "$window" 2>/dev/null)'" >&2
  done
  echo "tramela's output:" >&2
  cat "$work/tramela.log" >&2 || true
  exit 1
}

# A display of our own (see xvfb_display.sh).
source "$(dirname "$0")/xvfb_display.sh"
start_xvfb || fail "Xvfb did not start"
echo "Xvfb on $DISPLAY"

start_tramela() {  # [locale variables]; the Italian convention by default
  local locale=("${@:-LC_ALL=it_IT.UTF-8}")
  env -u LC_ALL -u LC_NUMERIC -u LANG -u LANGUAGE "${locale[@]}" QT_QPA_PLATFORM=xcb \
    "$tramela" >"$work/tramela.log" 2>&1 &
  app_pid=$!
}

# The visible window of the running program whose title is exactly $1. xdotool's own
# name match ignores case and matches parts, so the title is compared here.
find_window() {
  local title=$1 window
  for _ in $(seq "$TRIES"); do
    for window in $(xdotool search --all --onlyvisible --pid "$app_pid" --name "$title" 2>/dev/null); do
      if [ "$(xdotool getwindowname "$window")" = "$title" ]; then
        echo "$window"
        return 0
      fi
    done
    sleep "$POLL"
  done
  return 1
}

# Waits for the program to end and leaves its exit status in $status. (Not in a subshell:
# only this shell can wait for its child.)
wait_for_exit() {
  for _ in $(seq "$TRIES"); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep "$POLL"
  done
  kill -0 "$app_pid" 2>/dev/null && fail "tramela is still running"
  status=0
  wait "$app_pid" || status=$?
  app_pid=""
}

click_at() {  # window, x y
  xdotool mousemove --window "$1" $2 click 1
}

# A fingerprint of what Label1 shows.
label1_pixels() {
  import -window "$1" "$work/shot.png"
  convert "$work/shot.png" -crop "$LABEL1_BOX" +repage rgb:- | md5sum | cut -d' ' -f1
}

# Waits until Label1 shows something other than $2, and prints its fingerprint.
label1_changed_from() {  # window, fingerprint
  local now
  for _ in $(seq "$TRIES"); do
    now=$(label1_pixels "$1")
    [ "$now" != "$2" ] && { echo "$now"; return 0; }
    sleep "$POLL"
  done
  return 1
}

# Clicks an option and prints Label1's new fingerprint, once it differs from $3.
choose() {  # window, option's place, fingerprint before
  click_at "$1" "$2"
  label1_changed_from "$1" "$3" || fail "choosing at $2 changed nothing in Label1"
}

close_normally() {  # window
  "$send_close_request" "$1"
  wait_for_exit
  [ "$status" -eq 0 ] || fail "closing the window ended the program with status $status"
}

retype() {  # window, keys for xdotool: everything in dati1 replaced
  click_at "$1" "$DATI1_AT"
  xdotool key ctrl+a
  xdotool "${@:2}"
}

# Waits until the clipboard holds exactly $1. (A program that took the clipboard and hangs
# would keep xclip waiting for ever.)
clipboard_holds() {
  for _ in $(seq "$TRIES"); do
    [ "$(timeout 2 xclip -o -selection clipboard 2>/dev/null)" = "$1" ] && return 0
    sleep "$POLL"
  done
  return 1
}

# Presses keys and waits until one more window shows on the display: the menu they open.
# (Under Wine a menu's window does not carry the program's process id.)
menu_opens() {  # keys
  local before
  before=$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)
  xdotool key "$@"
  for _ in $(seq "$TRIES"); do
    [ "$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)" -gt "$before" ] && return 0
    sleep "$POLL"
  done
  return 1
}

red_pixels_in_label1() {
  import -window "$1" "$work/shot.png"
  convert "$work/shot.png" -crop "$LABEL1_BOX" +repage txt:- | grep -ci '#FF0000' || true
}

echo "1. 1,5 with Option1"
start_tramela
window=$(find_window TRAMELA) || fail "no window titled exactly TRAMELA"
[ "$(red_pixels_in_label1 "$window")" -eq 0 ] || fail "Label1 is not empty at start"
click_at "$window" "$DATI1_AT"
xdotool type --delay 20 "1,5"
click_at "$window" "$OPTION1_AT"
red=0
for _ in $(seq "$TRIES"); do
  red=$(red_pixels_in_label1 "$window")
  [ "$red" -ge "$MIN_RED_PIXELS" ] && break
  sleep "$POLL"
done
[ "$red" -ge "$MIN_RED_PIXELS" ] || fail "no red result in Label1 ($red red pixels)"
cp "$work/shot.png" tramela-converted.png
echo "   $red pure red pixels in Label1's box"
converted=$(label1_pixels "$window")

echo "   10 typed, Option1 chosen again"
retype "$window" type --delay 20 "10"
rechosen=$(choose "$window" "$OPTION1_AT" "$converted")
other=$(choose "$window" "$OPTION2_AT" "$rechosen")
fresh=$(choose "$window" "$OPTION1_AT" "$other")
[ "$rechosen" = "$fresh" ] || fail "choosing Option1 again shows other pixels than converting 10 afresh"

echo "   1, the keypad's decimal key, 5 with Option1"
retype "$window" key 1 KP_Decimal 5
other=$(choose "$window" "$OPTION2_AT" "$fresh")
keypad=$(choose "$window" "$OPTION1_AT" "$other")
[ "$keypad" = "$converted" ] || fail "1 KP_Decimal 5 does not convert as 1,5 does"

echo "   1,5 copied, 7 typed over it, I in dati1's context menu: Incolla, in Italian"
click_at "$window" "$DATI1_AT"
xdotool key ctrl+a ctrl+c 7 ctrl+a
menu_opens Menu || fail "the Menu key opened no menu in dati1"
xdotool key i Escape
other=$(choose "$window" "$OPTION2_AT" "$keypad")
pasted=$(choose "$window" "$OPTION1_AT" "$other")
[ "$pasted" = "$converted" ] || fail "I in dati1's context menu did not paste 1,5: no Italian Qt texts"

echo "   1,5 and a line break pasted with Ctrl+V"
printf '1,5\n' | xclip -selection clipboard >/dev/null 2>&1  # xclip serves it until the end
retype "$window" key ctrl+v
other=$(choose "$window" "$OPTION2_AT" "$pasted")
pasted=$(choose "$window" "$OPTION1_AT" "$other")
[ "$pasted" = "$converted" ] || fail "1,5 pasted with a line break does not convert as 1,5 does"
close_normally "$window"

if [ "${TRAMELA_E2E_WINDOWS:-0}" = 1 ]; then
  echo "   LANG=C: left out on Windows"
else
echo "   LANG=C: 1,5 with Option1"
start_tramela LANG=C
window=$(find_window TRAMELA) || fail "no window titled exactly TRAMELA"
empty=$(label1_pixels "$window")
click_at "$window" "$DATI1_AT"
xdotool type --delay 20 "1,5"
plain=$(choose "$window" "$OPTION1_AT" "$empty")
[ "$plain" = "$converted" ] || fail "under LANG=C 1,5 does not convert as under it_IT"
close_normally "$window"
fi

echo "   keyboard alone: 1,5, Tab, Down, Ctrl+C; Shift+F10, Menu and Copia; Ctrl+C in the field"
start_tramela
window=$(find_window TRAMELA) || fail "no window titled exactly TRAMELA"
xdotool type --delay 20 "1,5"
xdotool key Tab Down ctrl+c
clipboard_holds "38,1" || fail "Ctrl+C in the list did not copy 38,1"
for keys in shift+F10 Menu; do
  printf none | xclip -selection clipboard >/dev/null 2>&1
  clipboard_holds "none" || fail "xclip did not take the clipboard"
  menu_opens $keys || fail "$keys in the list opened no menu"
  xdotool key Return  # on "Copia", which the menu opens on
  clipboard_holds "38,1" || fail "$keys and Copia did not copy 38,1"
done
xdotool windowfocus --sync "$window"  # a window manager gives the focus back after a menu
xdotool key shift+Tab ctrl+c
clipboard_holds "1,5" || fail "Ctrl+C in the field did not copy the field's text"
close_normally "$window"

echo "   a point convention (en_US): 1.5, Tab, Down, Ctrl+C copies 38.1"
start_tramela LC_ALL=en_US.UTF-8
window=$(find_window TRAMELA) || fail "no window titled exactly TRAMELA"
xdotool type --delay 20 "1.5"
xdotool key Tab Down ctrl+c
clipboard_holds "38.1" || fail "under en_US 1.5 with Down did not give 38.1"
close_normally "$window"

echo "2. abc with Option1"
start_tramela
window=$(find_window TRAMELA) || fail "no window titled exactly TRAMELA"
click_at "$window" "$DATI1_AT"
xdotool type --delay 20 "abc"
click_at "$window" "$OPTION1_AT"
report=$(find_window Tramela) || fail "no error report titled exactly Tramela"
xdotool mousemove --window "$report" 10 10
xdotool key Return
wait_for_exit
[ "$status" -eq 1 ] || fail "after the report the program ended with status $status"

echo "3. close right after start"
start_tramela
window=$(find_window TRAMELA) || fail "no window titled exactly TRAMELA"
close_normally "$window"

echo "PASS"
