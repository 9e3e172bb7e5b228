#!/usr/bin/env bash
# Configures a copy of the sources with another version in project() and finds it in every
# file made from it: the Windows version record and the program's version header, the
# installer's version, the Debian package's version, the manual pages, the Windows readme,
# and, with NEWS.md's new entry, the Debian changelog and the AppStream releases. Without that
# entry, configuring stops.
# Usage: other_version_test.sh SOURCE_DIR
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
configure() { cmake -S "$copy" -B "$1" -DBUILD_TESTING=OFF -DTRAMELA_BUILD_BENCH=OFF >"$1.log" 2>&1; }

# project() version, the version shown, the version record's numbers.
for case in 12.3.4.5:12.03:12,3,4,5 2.10.0:2.10:2,10,0,0; do
  IFS=: read -r version shown numbers <<<"$case"
  short=$(cut -d. -f1-3 <<<"$version")
  copy=$work/$version
  mkdir "$copy"
  # What configuring reads: not the tests, benchmarks and fuzzers.
  cp -r "$source"/{CMakeLists.txt,NEWS.md,LICENSE,cmake,core,window,app,desktop,man,windows,resources,scripts} "$copy"
  sed -i "s/^  VERSION [0-9.]*\$/  VERSION $version/" "$copy/CMakeLists.txt"
  grep -q "^  VERSION $version\$" "$copy/CMakeLists.txt" || { echo "FAIL: no VERSION line in project()"; exit 1; }

  configure "$copy/no-news" && fail "$version: configured with no entry for it in NEWS.md"
  # Newest first, after the opening paragraphs; a semicolon must survive.
  sed -i "0,/^## /s//## $short (2031-02-03)\n\n- Something new; and more.\n\n## /" "$copy/NEWS.md"
  configure "$copy/build" || { cat "$copy/build.log" >&2; fail "$version: configuring failed"; continue; }

  b=$copy/build
  while IFS='|' read -r file text; do
    grep -qF -- "$text" "$b/$file" || fail "$version: $file lacks '$text'"
  done <<EOT
app/tramela.rc|FILEVERSION $numbers
app/tramela.rc|PRODUCTVERSION $numbers
app/tramela.rc|"FileVersion", "$shown"
app/version.h|"$shown"
windows/version.nsh|!define VERSION "$shown"
windows/version.nsh|!define FILE_VERSION "${numbers//,/.}"
CPackConfig.cmake|set(CPACK_PACKAGE_VERSION "$short")
man/tramela.1|.TH TRAMELA 1 2031-02-03 "Tramela $short"
man/it/tramela.1|.TH TRAMELA 1 2031-02-03 "Tramela $short"
windows/LEGGIMI.txt|Tramela $shown -
windows/LEGGIMI.txt|tramela-$short.tar.gz
desktop/changelog|  * Something new; and more.
desktop/it.tramela.Tramela.metainfo.xml|<li>Something new; and more.</li>
EOT
  [ "$(head -n1 "$b/desktop/changelog")" = "tramela ($short) bookworm; urgency=medium" ] ||
    fail "$version: the changelog does not open with $short: $(head -n1 "$b/desktop/changelog")"
  grep -q "^tramela (1.0.0) " "$b/desktop/changelog" || fail "$version: the changelog lost 1.0.0"
  releases=$(grep -o '<release version="[^"]*" date="[^"]*"' "$b/desktop/it.tramela.Tramela.metainfo.xml" | tr '\n' ' ')
  [[ "$releases" == "<release version=\"$short\" date=\"2031-02-03\" <release version=\"1.0.0\""* ]] ||
    fail "$version: the AppStream releases are $releases"
done
exit "$failed"
