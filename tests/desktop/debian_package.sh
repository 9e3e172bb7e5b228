#!/usr/bin/env bash
# Builds the Debian package with cpack into a scratch folder and reads it back: the control
# fields a user's apt needs and every installed file under /usr.
# Usage: debian_package.sh BUILD-DIR
set -euo pipefail

build=$1
readonly APP_ID=it.tramela.Tramela

for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: no $tool"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/tramela_*.deb)
echo "built $(basename "$deb")"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tramela ] || fail "package name $(field Package)"
[ "$(field Section)" = utils ] || fail "section $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins fonts-liberation2; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

dpkg-deb --contents "$deb" | awk '{print $6}' >"$work/contents"
for file in ./usr/bin/tramela \
            ./usr/share/applications/$APP_ID.desktop \
            ./usr/share/metainfo/$APP_ID.metainfo.xml \
            ./usr/share/icons/hicolor/32x32/apps/$APP_ID.png \
            ./usr/share/icons/hicolor/scalable/apps/$APP_ID.svg; do
  grep -qx "$file" "$work/contents" || fail "the package does not hold $file"
done
echo PASS
