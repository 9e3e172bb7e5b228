#!/usr/bin/env bash
# Puts Debian's qt6-base source package, the source of the Qt that tramela.exe links (its
# .dsc, the upstream tarball and Debian's changes), into a cache folder outside the checkout,
# and prints that folder. Downloads once: a folder whose files the .dsc's checksums match is
# used as it is. Needs network to Debian's archive only the first time.
# Usage: qt-source.sh
set -euo pipefail

# The source package the prebuilt Qt for Windows was built from (see ../shared/windows).
readonly QT_SOURCE_VERSION=6.4.2+dfsg-10
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tramela/qt6-base-source
dsc=$cache/qt6-base_${QT_SOURCE_VERSION}.dsc

# dscverify would also want the uploader's key; the archive's own signature covered the .dsc
# when apt fetched it, and the .dsc's checksums cover the rest.
complete() {
  [ -f "$dsc" ] || return 1
  (cd "$cache" && awk '/^Checksums-Sha256:/ {on = 1; next} /^[^ ]/ {on = 0} on {print $1 "  " $3}' \
    "$dsc" | sha256sum --quiet -c -) >/dev/null 2>&1
}

if complete; then
  echo "$cache"
  exit 0
fi
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

# apt-get source needs a deb-src entry; where there is none, one beside the machine's own
# Debian entries, the same archive and suites.
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  src_list=/etc/apt/sources.list.d/tramela-deb-src
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      "${sudo[@]}" tee "$src_list.sources" >/dev/null
  else
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | "${sudo[@]}" tee "$src_list.list" >/dev/null
  fi
  "${sudo[@]}" apt-get update -q >&2
fi

mkdir -p "$cache"
(cd "$cache" && apt-get source -q --download-only "qt6-base=$QT_SOURCE_VERSION") >&2
complete || { echo "qt-source.sh: the files in $cache do not match $dsc" >&2; exit 1; }
echo "$cache"
