#!/usr/bin/env bash
# Installs Tramela silently (/S) under Wine: checks the files, the Start-menu shortcut and the
# uninstaller's registry entry, starts the installed program and closes it (status 0), then
# uninstalls silently and checks that nothing is left.
# Usage: installer_test.sh wine_run.sh PREFIX setup.exe send_close_request 1.00
set -euo pipefail
wine_run=$1 prefix=$2 setup=$3 send_close_request=$4 version=$5
readonly KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tramela'
# The registry entry's values, as reg query prints them.
readonly VALUES=('DisplayName    REG_SZ    Tramela' "DisplayVersion    REG_SZ    $version"
  'Publisher    REG_SZ    The Tramela developers' 'DisplayIcon    REG_SZ    C:\' 'UninstallString    REG_SZ    "C:\')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
wine() { "$wine_run" "$prefix" "$@"; }

# The Wine user's folders (the user is named after the Linux one).
user_dir=$(echo "$prefix"/drive_c/users/*/AppData)
folder=$user_dir/Local/Programs/Tramela
shortcut="$user_dir/Roaming/Microsoft/Windows/Start Menu/Programs/Tramela.lnk"
installed=("$folder"/{tramela.exe,LICENSE,LEGGIMI.txt,THIRD-PARTY-NOTICES.txt,LGPL-3.0.txt,GPL-3.0.txt}
  "$folder/uninstall.exe" "$shortcut")

wine "$setup" /S || fail "the installer ended with status $?"
for path in "${installed[@]}"; do [ -f "$path" ] || fail "not installed: $path"; done
entry=$(wine reg query "$KEY" | tr -d '\r') || fail "no registry entry $KEY"
for value in "${VALUES[@]}"; do
  grep -qF "$value" <<<"$entry" || fail "the registry entry lacks '$value': $entry"
done
echo "installed: the files, the shortcut, the registry entry"

printf '#!/bin/sh\nexec "%s" "%s" "%s"\n' "$wine_run" "$prefix" "$folder/tramela.exe" >"$work/tramela"
chmod +x "$work/tramela"
source "$(dirname "$0")/../desktop/start_and_close.sh"
start_and_close "$work/tramela" "$send_close_request"

# The uninstaller copies itself elsewhere and returns at once: its copy does the work, and
# the next Wine program starts once it has ended (see wine_run.sh).
wine "$folder/uninstall.exe" /S || fail "the uninstaller ended with status $?"
for _ in $(seq 100); do
  [ -e "$folder" ] || [ -e "$shortcut" ] || break
  sleep 0.2
done
for path in "$folder" "$shortcut"; do [ ! -e "$path" ] || fail "left after uninstalling: $path"; done
if wine reg query "$KEY" >/dev/null 2>&1; then fail "left after uninstalling: $KEY"; fi
echo "uninstalled: no file, no shortcut, no registry entry left"
