#!/bin/sh
# Compiles the Windows version record with the MinGW resource compiler, reads the compiled
# record back, and checks the fields of the program's identity.
# Usage: version_resource_test.sh path/to/tramela.rc 1.00 "1, 0, 0, 0"
set -eu
rc=$1 display=$2 numbers=$3
windres=x86_64-w64-mingw32-windres
if ! command -v "$windres" >/dev/null 2>&1; then
  echo "skipped: $windres is not installed (Debian package binutils-mingw-w64-x86-64)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The host's C preprocessor stands in for the MinGW compiler's, which CI does not install.
"$windres" --preprocessor=cpp -i "$rc" -O res -o "$work/tramela.res"
"$windres" -i "$work/tramela.res" -O rc -o "$work/decompiled.rc"
status=0
for field in \
  "FILEVERSION $numbers" \
  "PRODUCTVERSION $numbers" \
  'VALUE "ProductName", "tramela"' \
  'VALUE "InternalName", "Tramela"' \
  'VALUE "OriginalFilename", "Tramela.exe"' \
  "VALUE \"FileVersion\", \"$display\"" \
  "VALUE \"ProductVersion\", \"$display\""; do
  if ! grep -qF "$field" "$work/decompiled.rc"; then
    echo "missing from the compiled record: $field"
    status=1
  fi
done
[ "$status" -eq 0 ] || cat "$work/decompiled.rc"
exit "$status"
