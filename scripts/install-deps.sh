#!/usr/bin/env bash
# Installs the Debian 12 or 13 packages that building, running and testing Tramela need; with
# the argument "windows", those that cross-building, testing and packaging the Windows
# program need; with "release", those that checking a release needs; with "debian13", those
# that scripts/debian13-check.sh needs. Runs apt-get directly as root, through sudo otherwise;
# does nothing when all are present.
# Usage: install-deps.sh [windows|release|debian13]
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # the accessibility tests switch on the platform's accessibility as Qt's own tests do
  qt6-base-private-dev
  # fonts the window is laid out for
  fonts-dejavu-core fonts-liberation2
  # fuzzing: Debian's default clang and its compiler-rt, whose versions follow the release
  # (clang-14 and libclang-rt-14-dev on Debian 12, clang-19 and libclang-rt-19-dev on 13)
  clang libclang-rt-dev
  # end-to-end runs under a virtual display; xclip reads and fills the clipboard there
  xvfb xauth xdotool x11-utils imagemagick libx11-dev xclip
  # what a blind user hears: the screen-reader test runs the Orca screen reader, which speaks
  # through speech-dispatcher (here into a file), reads the window over the accessibility bus
  # of at-spi2-core, needs a window manager (openbox) to follow the focus, and runs under a
  # private D-Bus session (dbus)
  orca speech-dispatcher at-spi2-core openbox dbus
  # and the Italian locale that Orca speaks under, built from the locales package's sources
  locales
  # Windows version resource check, desktop metadata checks; cpack's Debian package reads
  # the program's dependencies with file and dpkg-shlibdeps
  binutils-mingw-w64-x86-64 desktop-file-utils appstream file dpkg-dev
  # Debian's own checker for the package, and man and groff, which render the manual pages
  # for the test as they do for a reader
  lintian man-db groff-base
)

# The Windows program: the MinGW compilers (posix threads, as Qt for Windows is built),
# Debian's own Qt tools (moc, rcc, with their CMake files) and Qt's Italian texts; apt-get
# source's unpacker and xz for Qt; ImageMagick for the icon. Tested under Wine on Xvfb, driven with xdotool and
# the send_close_request tool built here against Xlib; the locales package holds what Wine
# reads the Italian regional settings from; GoogleTest from its sources; the version record
# read with pefile. The installer is made with NSIS; a release signs with osslsigncode, and its
# test makes a throwaway certificate with openssl.
windows_packages=(
  build-essential cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools
  qt6-translations-l10n dpkg-dev xz-utils imagemagick
  wine wine64 xvfb xauth xdotool x11-utils libx11-dev xclip locales googletest python3-pefile
  nsis osslsigncode openssl
)
# A release is checked by making it twice from two clones; diffoscope shows what differs.
release_packages=(git diffoscope-minimal)
# A Debian 13 made from scratch, to check the program there (scripts/debian13-check.sh).
debian13_packages=(debootstrap)
case "${1:-}" in
  windows) packages=("${windows_packages[@]}") ;;
  release) packages=("${release_packages[@]}") ;;
  debian13) packages=("${debian13_packages[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
