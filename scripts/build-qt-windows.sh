#!/usr/bin/env bash
# Puts Qt 6.4.2 (qtbase) for 64-bit Windows, as static libraries, into a cache folder outside
# the checkout, and prints that folder. Does nothing when the folder is complete.
#   - Where ../shared/windows holds the prebuilt tree (with its checksum), unpacks it.
#   - Otherwise builds it from Debian's own qt6-base source package (scripts/qt-source.sh
#     fetches it) with the posix-thread MinGW compilers and Debian's host Qt tools: configure
#     takes under a minute, the build 40 to 60 minutes on two cores. Nothing but Debian's
#     packages is downloaded.
# Usage: build-qt-windows.sh            (JOBS sets the build's parallel jobs)
set -euo pipefail

readonly QT_VERSION=6.4.2
here=$(cd "$(dirname "$0")" && pwd)
checkout=$(dirname "$here")
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tramela
prefix=$cache/qt-$QT_VERSION-mingw-static
shared=$checkout/../shared/windows
tarball=$shared/qt-$QT_VERSION-x86_64-w64-mingw32-static.tar.xz
# The last file written: a tree holding it is complete.
stamp=$prefix/.complete

if [ -e "$stamp" ]; then
  echo "$prefix"
  exit 0
fi
rm -rf "$prefix"
mkdir -p "$cache"

if [ -f "$tarball" ]; then
  echo "Unpacking $tarball" >&2
  (cd "$shared" && sha256sum --quiet -c SHA256SUMS) >&2
  tar -xJf "$tarball" -C "$cache"
  touch "$stamp"
  echo "$prefix"
  exit 0
fi

echo "No prebuilt Qt in $shared: building Qt $QT_VERSION for Windows (40 to 60 minutes)" >&2
work=$cache/qt-$QT_VERSION-mingw-work
rm -rf "$work"
mkdir -p "$work"
cd "$work"
# Debian's qt6-base source package, fetched once into the cache that the release also uses.
dpkg-source -x "$("$here/qt-source.sh")"/qt6-base_*.dsc >&2
source_dir=$(find . -maxdepth 1 -type d -name "qt6-base-$QT_VERSION*" | head -n 1)
[ -n "$source_dir" ] || { echo "dpkg-source left no qt6-base-$QT_VERSION folder" >&2; exit 1; }

toolchain=$checkout/cmake/mingw-w64.cmake
# What Tramela does not use is left out; the third-party libraries are Qt's own copies, so
# that the program needs no DLL beside it. Debian's source lacks the tablet header (wintab.h),
# and in 6.4.2 the windows plugin builds only with dynamicgl off along with opengl.
off=(network sql printsupport dbus opengl dynamicgl vulkan concurrent xml testlib tabletevent
     system_zlib system_pcre2 system_freetype system_harfbuzz system_png system_jpeg)
features=()
for feature in "${off[@]}"; do features+=("-DFEATURE_$feature=OFF"); done
cmake -S "$source_dir" -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTRAMELA_COMPILERS_ONLY=ON \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  "${features[@]}" >&2
cmake --build build -j "${JOBS:-$(nproc)}" >&2
cmake --install build >&2

# Relocatable as the prebuilt tree is: Qt's toolchain file loads the compilers from a copy
# of the toolchain kept beside it (the compilers alone) rather than from this checkout.
qt_cmake=$prefix/lib/cmake/Qt6
{ echo 'set(tramela_loading_qt_toolchain ON)'; cat "$toolchain"; } >"$qt_cmake/mingw-w64.cmake"
sed -i 's|^\(set(__qt_initially_configured_toolchain_file \).*)$|\1"${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")|' \
  "$qt_cmake/qt.toolchain.cmake"
grep -q 'CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake' "$qt_cmake/qt.toolchain.cmake"
rm -rf "$work"
touch "$stamp"
echo "$prefix"
