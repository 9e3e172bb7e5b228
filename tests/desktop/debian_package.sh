#!/usr/bin/env bash
# Builds the Debian package with cpack into a scratch folder and reads it back: the control
# fields a user's apt needs, every installed file under /usr, the changelog's entry against
# the package's version and maintainer, and lintian, Debian's own package checker, which
# must report no error and no warning. With
# TRAMELA_TEST_SYSTEM_INSTALL=1, as root, on a machine where tramela is not installed (CI),
# also installs the package with apt-get, starts /usr/bin/tramela under Xvfb and closes it,
# removes the package and checks that its files are gone.
# Usage: debian_package.sh BUILD-DIR path/to/send_close_request
set -euo pipefail

build=$1
send_close_request=$2
readonly APP_ID=it.tramela.Tramela

for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: no $tool"; exit 77; }
done
command -v lintian >/dev/null 2>&1 ||
  { echo "FAIL: no lintian (scripts/install-deps.sh installs it)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/tramela_*.deb)
echo "built $(basename "$deb")"
dpkg-deb --field "$deb"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tramela ] || fail "package name $(field Package)"
[ "$(field Section)" = utils ] || fail "section $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins fonts-liberation2; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[[ "$(field Recommends)" == *qt6-wayland* ]] || fail "Recommends lacks qt6-wayland: $(field Recommends)"

dpkg-deb --contents "$deb" | awk '{print $6}' >"$work/contents"
for file in ./usr/bin/tramela \
            ./usr/share/applications/$APP_ID.desktop \
            ./usr/share/metainfo/$APP_ID.metainfo.xml \
            ./usr/share/icons/hicolor/32x32/apps/$APP_ID.png \
            ./usr/share/icons/hicolor/scalable/apps/$APP_ID.svg \
            ./usr/share/man/man1/tramela.1.gz \
            ./usr/share/man/it/man1/tramela.1.gz \
            ./usr/share/doc/tramela/copyright \
            ./usr/share/doc/tramela/changelog.gz; do
  grep -qx "$file" "$work/contents" || fail "the package does not hold $file"
done

# The changelog's one entry is this version's, signed by the package's maintainer.
mkdir "$work/unpacked"
dpkg-deb --extract "$deb" "$work/unpacked"
gunzip -c "$work/unpacked/usr/share/doc/tramela/changelog.gz" >"$work/changelog"
entry() { dpkg-parsechangelog --file "$work/changelog" --show-field "$1"; }
[ "$(entry Version)" = "$(field Version)" ] ||
  fail "the changelog's entry is for $(entry Version), the package is $(field Version)"
[ "$(entry Maintainer)" = "$(field Maintainer)" ] ||
  fail "the changelog is signed by $(entry Maintainer), the package's maintainer is $(field Maintainer)"

# As a maintainer runs it, with the informational tags shown too; those may stay.
echo "lintian $(basename "$deb"):"
# Lintian passes AppStream 1.0's missing homepage on as appstream-metadata-validation-failed:
# where that is the metadata's only fault (appstream_validate.sh), that tag alone is left out.
metainfo=$work/unpacked/usr/share/metainfo/$APP_ID.metainfo.xml
suppress=()
if ! appstreamcli validate --no-net "$metainfo" >/dev/null 2>&1 &&
   "$(dirname "$0")/appstream_validate.sh" "$metainfo" >/dev/null 2>&1; then
  echo "(the metadata lacks only its homepage: appstream-metadata-validation-failed left out)"
  suppress=(--suppress-tags appstream-metadata-validation-failed)
fi
status=0
lintian "${suppress[@]}" --display-info --fail-on error,warning "$deb" >"$work/lintian.log" 2>"$work/lintian.err" ||
  status=$?
cat "$work/lintian.log"
# Status 2: a tag at --fail-on's levels; 1: lintian itself failed.
if [ "$status" -ne 0 ] || grep -q '^[EW]: ' "$work/lintian.log"; then
  cat "$work/lintian.err" >&2
  fail "lintian reports errors or warnings, or failed (status $status)"
fi
echo "lintian: no error, no warning"

if [ "${TRAMELA_TEST_SYSTEM_INSTALL:-}" != 1 ] || [ "$(id -u)" -ne 0 ]; then
  echo "PASS (not installed: set TRAMELA_TEST_SYSTEM_INSTALL=1 as root to install it too)"
  exit 0
fi
dpkg-query -W tramela >/dev/null 2>&1 && fail "tramela is already installed here; not touching it"
for tool in apt-get Xvfb xdotool; do
  command -v "$tool" >/dev/null 2>&1 || fail "no $tool"
done
echo "apt-get install $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb" >"$work/apt.log" 2>&1 || {
  cat "$work/apt.log" >&2; fail "apt-get install failed"; }
removed=0
remove() {
  [ "$removed" = 1 ] && return 0
  removed=1
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -q tramela >>"$work/apt.log" 2>&1
}
trap 'remove || true; rm -rf "$work"' EXIT
source "$(dirname "$0")/start_and_close.sh"
start_and_close /usr/bin/tramela "$send_close_request"
remove || { cat "$work/apt.log" >&2; fail "apt-get remove failed"; }
dpkg-query -W -f='${Status}\n' tramela 2>/dev/null | grep -q 'install ok installed' && fail "still installed"
while read -r file; do
  case "$file" in */) continue;; esac
  [ ! -e "${file#.}" ] || fail "left behind after removal: ${file#.}"
done <"$work/contents"
echo "installed, started, closed and removed cleanly"
echo PASS
