#!/usr/bin/env bash
# Runs a Windows program under Wine, in a Wine prefix of the build's own created on first use
# (about 10 s; programs started meanwhile wait for it). Wine's exit status is the program's.
# Usage: wine_run.sh PREFIX program.exe [arguments]
set -euo pipefail
export WINEPREFIX=$1
shift
# Wine takes Windows' regional settings from the Linux locale (LANG), which it can only read
# where the locale is installed; the Italian and American ones are compiled beside the
# prefix instead of into the system.
readonly LOCALES=(it_IT en_US)
export LOCPATH=$WINEPREFIX-locales
# No debugging chatter, and no offer to download Mono or Gecko while the prefix is made.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The Linux tests pick Qt's X11 plugin this way; a Windows Qt has only its own.
unset QT_QPA_PLATFORM
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -e "$LOCPATH/.complete" ]; then
    mkdir -p "$LOCPATH"
    for locale in "${LOCALES[@]}"; do
      localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8"
    done
    touch "$LOCPATH/.complete"
  fi
  if [ ! -e "$WINEPREFIX/system.reg" ]; then
    wine wineboot --init >/dev/null 2>&1
    wineserver --wait
  fi
) 9>"$WINEPREFIX.lock"
# Wine's server and desktop process outlive a program by a few seconds, and keep the display
# they were started on: the next program, perhaps on another display, waits for them to end.
wineserver --wait
exec wine "$@"
