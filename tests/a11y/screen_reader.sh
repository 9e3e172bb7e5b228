#!/usr/bin/env bash
# What a blind user hears: runs the real tramela under the real screen reader, Orca, on a
# display of its own, with speech-dispatcher writing each text it is asked to speak to a file
# instead of to a sound card, drives the window from the keyboard and reads that file.
#   1. types 1,5, Tab, Down: Orca reads "pollici to millimetri ... 38,1";
#   2. Down: "0,0590551181102362";
#   3. Up, back in the field types 10 over the text, Tab: the option is read without the
#      result of 1,5; Space on it chooses it again: "254";
#   4. a click on "millimetri to pollici" held for 0.2 s: "0,393700787401575";
#   5. types 1,5x, Tab, Down: the error report is read as an alert with the bad text, and
#      Return ends the program with status 1.
# Orca speaks Italian (LANGUAGE=it) and tramela runs under it_IT. The whole run takes well
# under a minute; Orca now and then hangs while it starts, so a run that fails is made once
# more from the start.
# Usage: screen_reader.sh path/to/tramela
# Leaves spoken.txt (what the last run spoke, one message a line) in the working directory.
# Exits 77 (skipped) where a tool it needs is not installed; it installs nothing itself.
set -euo pipefail

readonly POLL=0.1
readonly ORCA_START_POLLS=150  # 15 s for Orca's first words
readonly STEP_POLLS=100        # 10 s for anything else Orca is to say
readonly QUIET_POLLS=5         # 0.5 s without new speech: Orca has said all
readonly ATTEMPTS=2
readonly ATTEMPT_SECONDS=25    # two attempts with their starts and ends stay under a minute
readonly OPTION2_AT="38 190"   # Option2's indicator, in pixels from the window's corner
readonly CLICK_SECONDS=0.2     # a click's press: Orca reads the option before the release

here=$(cd "$(dirname "$0")" && pwd)

# ---- inside the private session bus (see the end of the file) ----------------------------
if [ "${1:-}" = --in-session ]; then
  tramela=$2
  spoken=$work/spoken.txt
  pids=()
  alive() {  # an ended child stays a zombie until it is waited for
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]
  }
  # Ends what this attempt started; a process still there after 2 s (Orca takes its time to
  # quit, and may hang) is killed.
  cleanup_session() {
    local pid living
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for _ in $(seq 20); do
      living=0
      for pid in "${pids[@]}"; do alive "$pid" && living=1; done
      [ "$living" -eq 0 ] && break
      sleep "$POLL"
    done
    for pid in "${pids[@]}"; do
      kill -KILL "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    done
  }
  trap 'cleanup_session 2>/dev/null' EXIT  # no word on a killed process

  fail() {
    echo "FAIL: $*" >&2
    echo "---- spoken so far:" >&2
    cat "$spoken" >&2
    echo "---- tramela's output:" >&2
    cat "$work/tramela.log" >&2 2>/dev/null || true
    echo "---- the end of Orca's debug output:" >&2
    tail -n 40 "$work/orca-debug.txt" >&2 2>/dev/null || true
    exit 1
  }

  # Every wait ends at the attempt's deadline.
  in_time() {
    [ "$SECONDS" -lt "$ATTEMPT_SECONDS" ] || fail "the attempt took $ATTEMPT_SECONDS s"
  }

  # The size of the spoken file: what is spoken after a key is what lies beyond it.
  mark() { stat -c %s "$spoken"; }
  spoken_since() { tail -c +"$(($1 + 1))" "$spoken"; }

  # Waits until the speech after mark $1 contains the text $2 (a fixed string).
  wait_for_speech() {
    local since=$1 text=$2
    for _ in $(seq "$STEP_POLLS"); do
      spoken_since "$since" | grep -qF -- "$text" && return 0
      in_time
      sleep "$POLL"
    done
    fail "Orca did not say \"$text\"; it said: $(spoken_since "$since" | tr '\n' ' ')"
  }

  # Waits until Orca has said nothing new for QUIET_POLLS polls.
  wait_for_quiet() {
    local size quiet=0
    size=$(mark)
    while [ "$quiet" -lt "$QUIET_POLLS" ]; do
      in_time
      sleep "$POLL"
      if [ "$(mark)" = "$size" ]; then quiet=$((quiet + 1)); else size=$(mark); quiet=0; fi
    done
  }

  key() { xdotool key --delay 50 "$@"; }
  type_text() { xdotool type --delay 50 "$1"; }

  # A window manager: Orca follows the focus, which needs one.
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    in_time
    sleep "$POLL"
  done

  # Starting the accessibility bus first spares Orca and tramela a race for it.
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null || fail "the accessibility bus did not start"

  # Speech goes to the file (see the configuration written below).
  speech-dispatcher --run-single --config-dir "$work/speechd" --timeout 0 \
    --log-dir "$work" >"$work/speech-dispatcher.out" 2>&1 &
  pids+=($!)
  for _ in $(seq "$STEP_POLLS"); do
    [ -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ] && break
    in_time
    sleep "$POLL"
  done
  [ -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ] ||
    fail "speech-dispatcher did not start: $(cat "$work"/speech-dispatcher*)"

  # Orca in Italian; its role names ("allerta") come from the C library, which on Debian 13
  # ignores LANGUAGE under C.UTF-8: they need the Italian locale.
  LC_ALL=it_IT.UTF-8 LANGUAGE=it orca --user-prefs "$work/orca" --debug-file "$work/orca-debug.txt" \
    >"$work/orca.log" 2>&1 &
  pids+=($!)
  since=0
  for _ in $(seq "$ORCA_START_POLLS"); do
    [ -s "$spoken" ] && break
    in_time
    sleep "$POLL"
  done
  [ -s "$spoken" ] || fail "Orca said nothing"
  echo "   ${SECONDS} s: Orca said \"$(head -n 1 "$spoken")\""

  LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8 QT_QPA_PLATFORM=xcb "$tramela" >"$work/tramela.log" 2>&1 &
  app_pid=$!
  pids+=("$app_pid")
  window=""
  for _ in $(seq "$STEP_POLLS"); do
    window=$(xdotool search --onlyvisible --pid "$app_pid" --name '^TRAMELA$' 2>/dev/null |
             head -n 1) && [ -n "$window" ] && break
    in_time
    sleep "$POLL"
  done
  [ -n "$window" ] || fail "no window titled TRAMELA"
  timeout 10 xdotool windowactivate --sync "$window" || fail "the window manager did not focus TRAMELA"
  # The window's title and the field that has the focus: Orca follows tramela.
  wait_for_speech 0 "TRAMELA"
  wait_for_speech 0 "Inserire i dati da convertire"
  wait_for_quiet

  echo "1. 1,5, Tab, Down (at ${SECONDS} s)"
  since=$(mark)
  type_text "1,5"
  key Tab Down
  wait_for_speech "$since" "pollici to millimetri"
  wait_for_speech "$since" "38,1"

  echo "2. Down (at ${SECONDS} s)"
  since=$(mark)
  key Down
  wait_for_speech "$since" "millimetri to pollici"
  wait_for_speech "$since" "0,0590551181102362"

  echo "3. Up, 10 in the field, Tab, Space (at ${SECONDS} s)"
  since=$(mark)
  key Up
  wait_for_speech "$since" "38,1"
  key shift+Tab
  wait_for_speech "$since" "Inserire i dati da convertire"
  key ctrl+a
  type_text "10"
  since=$(mark)
  key Tab
  wait_for_speech "$since" "pollici to millimetri"
  wait_for_quiet
  if spoken_since "$since" | grep -qF "38,1"; then
    fail "the option still carries the result of 1,5: $(spoken_since "$since" | tr '\n' ' ')"
  fi
  since=$(mark)
  key space
  wait_for_speech "$since" "254"

  echo "4. a click on millimetri to pollici, held as a hand holds it (at ${SECONDS} s)"
  since=$(mark)
  xdotool mousemove --window "$window" $OPTION2_AT mousedown 1 sleep "$CLICK_SECONDS" mouseup 1
  wait_for_speech "$since" "0,393700787401575"

  echo "5. 1,5x, Tab, Down (at ${SECONDS} s)"
  key shift+Tab
  key ctrl+a
  type_text "1,5x"
  since=$(mark)
  key Tab Down
  wait_for_speech "$since" "allerta"
  wait_for_speech "$since" "1,5x"
  wait_for_speech "$since" "non è un numero valido"
  wait_for_quiet
  key Return
  for _ in $(seq "$STEP_POLLS"); do
    kill -0 "$app_pid" 2>/dev/null || break
    in_time
    sleep "$POLL"
  done
  kill -0 "$app_pid" 2>/dev/null && fail "tramela still runs after the error report"
  status=0
  wait "$app_pid" || status=$?
  [ "$status" -eq 1 ] || fail "after the error report tramela ended with status $status"
  exit 0
fi

# ---- outside: the tools, a home of its own, a display, the session bus --------------------
tramela=$(realpath "$1")

for tool in Xvfb xdotool xprop openbox orca speech-dispatcher dbus-run-session dbus-send; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
for file in /usr/libexec/at-spi-bus-launcher /usr/lib/speech-dispatcher-modules/sd_generic; do
  if [ ! -x "$file" ]; then
    echo "skipped: $file is missing (scripts/install-deps.sh installs at-spi2-core and" \
         "speech-dispatcher)"
    exit 77
  fi
done

root=$(mktemp -d)
export work=$root/attempt
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT

# A machine without the Italian locale gets one of the run's own, from the locales package.
if ! locale -a 2>/dev/null | grep -qix 'it_IT\.utf-\?8'; then
  if [ ! -f /usr/share/i18n/locales/it_IT ]; then
    echo "skipped: no Italian locale and no locales package (scripts/install-deps.sh installs it)"
    exit 77
  fi
  mkdir "$root/locales"
  localedef --no-archive -i it_IT -f UTF-8 "$root/locales/it_IT.UTF-8" >"$root/localedef.log" 2>&1 ||
    { cat "$root/localedef.log" >&2; echo "FAIL: localedef it_IT.UTF-8" >&2; exit 1; }
  export LOCPATH=$root/locales
fi

# Writes the home, the runtime folder and the configurations of one attempt into $work.
prepare() {
  rm -rf "$work"
  mkdir -p "$work/home" "$work/orca" "$work/speechd/modules"
  mkdir -m 700 "$work/run"
  export HOME=$work/home XDG_RUNTIME_DIR=$work/run
  export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share \
    XDG_CACHE_HOME=$HOME/.cache
  unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
  : >"$work/spoken.txt"

  # Orca's settings: speech on, through speech-dispatcher; everything else as Orca ships.
  cat >"$work/orca/user-settings.conf" <<'EOF'
{
  "general": {"enableSpeech": true, "speechServerFactory": "speechdispatcherfactory",
              "firstStart": false},
  "profiles": {"default": {"profile": ["Default", "default"]}},
  "pronunciations": {},
  "keybindings": {}
}
EOF
  # speech-dispatcher's generic module runs a command for each text: here it appends the
  # text to the file, one line a message. The module needs a voice for each language and
  # some sound output to start; ALSA's null device takes the sound that never comes.
  cat >"$work/speechd/speechd.conf" <<EOF
LogLevel 3
AddModule "file" "sd_generic" "file.conf"
DefaultModule file
AudioOutputMethod "alsa"
AudioALSADevice "null"
EOF
  cat >"$work/speechd/modules/file.conf" <<EOF
GenericExecuteSynth "printf '%s\\\\n' \'\$DATA\' >> $work/spoken.txt"
GenericLanguage "it" "it" "utf-8"
GenericLanguage "en" "en" "utf-8"
AddVoice "it" "MALE1" "it"
AddVoice "en" "MALE1" "en"
EOF
}

source "$here/../e2e/xvfb_display.sh"
status=1
for attempt in $(seq "$ATTEMPTS"); do
  prepare
  start_xvfb || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
  echo "attempt $attempt on $DISPLAY"
  status=0
  dbus-run-session -- "$0" --in-session "$tramela" || status=$?
  cp "$work/spoken.txt" spoken.txt
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
  [ "$status" -eq 0 ] && break
done
[ "$status" -eq 0 ] || exit 1
echo "spoken:"
sed 's/^/   /' spoken.txt
echo "PASS"
