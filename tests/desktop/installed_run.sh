#!/usr/bin/env bash
# Installs the build into a temporary prefix as `cmake --install` does for a user, checks
# that the launcher entry, the AppStream metadata, both icons, the manual pages, the copyright
# and the changelog are in place, the entry, the metadata and the icons valid,
# then starts the installed program under its own Xvfb, waits for its window and closes it
# as a window manager does: the program must end with status 0.
# Usage: installed_run.sh BUILD-DIR path/to/send_close_request
set -euo pipefail

build=$1
send_close_request=$2
readonly APP_ID=it.tramela.Tramela

for tool in Xvfb xdotool identify desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
  cat "$work/install.log" >&2; fail "cmake --install failed"; }

share=$prefix/share
for file in bin/tramela \
            share/applications/$APP_ID.desktop \
            share/metainfo/$APP_ID.metainfo.xml \
            share/icons/hicolor/32x32/apps/$APP_ID.png \
            share/icons/hicolor/scalable/apps/$APP_ID.svg \
            share/man/man1/tramela.1.gz \
            share/man/it/man1/tramela.1.gz \
            share/doc/tramela/copyright \
            share/doc/tramela/changelog.gz; do
  [ -e "$prefix/$file" ] || fail "not installed: $file"
done
[ -x "$prefix/bin/tramela" ] || fail "bin/tramela is not executable"

echo "desktop-file-validate:"
desktop-file-validate "$share/applications/$APP_ID.desktop" || fail "the desktop entry is not valid"
echo "appstreamcli validate --no-net:"
"$(dirname "$0")/appstream_validate.sh" "$share/metainfo/$APP_ID.metainfo.xml" ||
  fail "the AppStream metadata is not valid"

# The entry and the metadata name the icon and the entry by the application id.
grep -qx "Icon=$APP_ID" "$share/applications/$APP_ID.desktop" || fail "the entry's Icon is not $APP_ID"
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" \
  "$share/metainfo/$APP_ID.metainfo.xml" || fail "the metadata does not launch $APP_ID.desktop"
size=$(identify -format '%wx%h' "$share/icons/hicolor/32x32/apps/$APP_ID.png")
[ "$size" = 32x32 ] || fail "the 32x32 icon is $size"
# The PNG is the XPM pixel for pixel: its corner is transparent, its outline black.
corner=$(convert "$share/icons/hicolor/32x32/apps/$APP_ID.png" -format '%[pixel:p{0,0}]' info:)
outline=$(convert "$share/icons/hicolor/32x32/apps/$APP_ID.png" -format '%[hex:p{5,1}]' info:)
case "$corner" in *"(0,0,0,0)"*|none|*"a(0,0,0,0)"*) ;; *) fail "the icon's corner is $corner, not transparent";; esac
[ "${outline:0:6}" = 000000 ] || fail "the icon's outline is $outline, not black"
grep -q '<svg' "$share/icons/hicolor/scalable/apps/$APP_ID.svg" || fail "the scalable icon is no SVG"

source "$(dirname "$0")/start_and_close.sh"
start_and_close "$prefix/bin/tramela" "$send_close_request"
echo PASS
