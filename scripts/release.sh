#!/usr/bin/env bash
# Makes every download of a release in DIST (dist/ by default), from the last commit, not from
# the work tree: the source tarball (git archive), then, built from that tarball unpacked, the
# Debian package, the Windows zip and installer; Debian's qt6-base source package (the Qt that
# tramela.exe links); SHA256SUMS over the rest. The same commit gives the same bytes from any
# clone at any time: every time written is SOURCE_DATE_EPOCH, the last commit's time unless set.
# With TRAMELA_SIGN_PKCS12 and TRAMELA_SIGN_PASSWORD_FILE (optional TRAMELA_SIGN_TIMESTAMP_URL)
# tramela.exe and the installer are signed with Authenticode (see windows/sign.sh).
# TRAMELA_RELEASE_TESTS=0 skips the tests (for a second build that is only compared).
# Usage: release.sh            (JOBS sets the build's parallel jobs)
set -euo pipefail

checkout=$(cd "$(dirname "$0")/.." && pwd)
cd "$checkout"
dist=$(realpath -m "${DIST:-dist}")
jobs=${JOBS:-$(nproc)}
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
# The zip's entry times are local times; file modes follow the umask.
export TZ=UTC LC_ALL=C.UTF-8
umask 022

# The release's version: the project's, in the committed CMakeLists.txt (major.minor.patch).
version=$(git show HEAD:CMakeLists.txt |
  sed -n '/^project(/,/)/s/^.*VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*$/\1/p')
[ -n "$version" ] || { echo "release.sh: no project version in CMakeLists.txt" >&2; exit 1; }
name=tramela-$version
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
  echo "release.sh: uncommitted changes are not in the release (it is made from $(git rev-parse --short HEAD))"

sign=()
if [ -n "${TRAMELA_SIGN_PKCS12:-}" ]; then
  [ -n "${TRAMELA_SIGN_PASSWORD_FILE:-}" ] ||
    { echo "release.sh: TRAMELA_SIGN_PKCS12 needs TRAMELA_SIGN_PASSWORD_FILE" >&2; exit 1; }
  sign=(-DTRAMELA_SIGN_PKCS12="$(realpath "$TRAMELA_SIGN_PKCS12")"
        -DTRAMELA_SIGN_PASSWORD_FILE="$(realpath "$TRAMELA_SIGN_PASSWORD_FILE")"
        -DTRAMELA_SIGN_TIMESTAMP_URL="${TRAMELA_SIGN_TIMESTAMP_URL:-}")
  echo "release.sh: tramela.exe and the installer are signed with $TRAMELA_SIGN_PKCS12"
else
  echo "release.sh: unsigned: no certificate given (TRAMELA_SIGN_PKCS12)"
fi
tests=${TRAMELA_RELEASE_TESTS:-1}
if [ "$tests" = 0 ]; then
  echo "release.sh: the tests are NOT run (TRAMELA_RELEASE_TESTS=0): nothing here is checked but the build"
  testing=(-DBUILD_TESTING=OFF)
else
  testing=()
fi

# DIST is made anew: a folder holding other things than an earlier release is left alone.
if [ -n "$(ls -A "$dist" 2>/dev/null)" ] && [ ! -f "$dist/SHA256SUMS" ]; then
  echo "release.sh: $dist holds files but no release (no SHA256SUMS): not overwritten" >&2
  exit 1
fi
rm -rf "$dist"
mkdir -p "$dist"
git archive --format=tar --prefix="$name/" HEAD | gzip -9n >"$dist/$name.tar.gz"

# Built from the tarball, in a folder of its own made anew, so that nothing of an earlier
# build (a resource compiled at another time) slips in.
work=$checkout/build-release
rm -rf "$work"
mkdir -p "$work"
tar -xzf "$dist/$name.tar.gz" -C "$work"
src=$work/$name

cmake --preset release -S "$src" -DTRAMELA_BUILD_BENCH=OFF "${testing[@]}"
cmake --build "$src/build" -j "$jobs"
[ "$tests" = 0 ] || ctest --test-dir "$src/build" -j "$jobs" -LE long --output-on-failure
(cd "$src/build" && cpack -G DEB)
cp "$src/build/tramela_${version}_amd64.deb" "$dist/"

# The static Qt for Windows, from ../shared beside this checkout (the tarball has no ../shared),
# and its source, whose records the notices are made from (fetched once into a cache).
./scripts/build-qt-windows.sh >/dev/null
qt_source=$(./scripts/qt-source.sh)
cmake --preset windows -S "$src" "${testing[@]}" "${sign[@]}"
cmake --build "$src/build-windows" -j "$jobs" --target all package_windows
[ "$tests" = 0 ] || ctest --test-dir "$src/build-windows" -j "$jobs" --output-on-failure
cp "$src/build-windows/$name-windows-x64.zip" "$src/build-windows/$name-setup-x64.exe" "$dist/"

# The source of the Qt in tramela.exe: the .dsc and the files it lists, as Debian has them.
dsc=$(cd "$qt_source" && ls qt6-base_*.dsc)
cp "$qt_source/$dsc" "$dist/"
awk '/^Files:/ {on = 1; next} /^[^ ]/ {on = 0} on && NF == 3 {print $3}' "$qt_source/$dsc" |
  while read -r file; do cp "$qt_source/$file" "$dist/"; done

(cd "$dist" && ls | grep -vx SHA256SUMS | xargs sha256sum >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)
echo "release.sh: $name in $dist (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH):"
(cd "$dist" && ls -l)
