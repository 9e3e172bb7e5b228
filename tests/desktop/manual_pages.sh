#!/usr/bin/env bash
# The manual pages as man and lintian read them: each renders through groff and through
# man-db with every warning on and prints none, names the program's version in its title
# line, and the Italian and English pages keep the same sections, entries and examples.
# Usage: manual_pages.sh VERSION PAGE...
set -euo pipefail

version=$1
shift
for tool in groff man; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "FAIL: no $tool (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

# What a page is built of, ignoring its words: the macros that open sections, entries,
# list items and examples, in order.
skeleton() { grep -oE '^\.(SH|TP|IP|EX|RS)' "$1" | tr '\n' ' '; }

first_skeleton=""
for page in "$@"; do
  failed_before=$failed
  # -k runs preconv, which reads the page's coding line as man-db does.
  groff -k -man -ww -z "$page" 2>"$work/groff.err" || fail "groff failed on $page"
  if [ -s "$work/groff.err" ]; then
    fail "groff warns on $page:"; cat "$work/groff.err" >&2
  fi
  # What lintian runs, at the width it uses.
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" \
    >/dev/null 2>"$work/man.err" || fail "man failed on $page"
  if [ -s "$work/man.err" ]; then
    fail "man warns on $page:"; cat "$work/man.err" >&2
  fi
  title=$(grep -m1 '^\.TH ' "$page")
  [[ "$title" == *"\"Tramela $version\""* ]] || fail "$page: title line names no Tramela $version: $title"
  shape=$(skeleton "$page")
  if [ -z "$first_skeleton" ]; then
    first_skeleton=$shape first_page=$page
  elif [ "$shape" != "$first_skeleton" ]; then
    fail "$page is built differently from $first_page:"$'\n'"  $shape"$'\n'"  $first_skeleton"
  fi
  [ "$failed" = "$failed_before" ] && echo "$page: renders without warnings"
done
[ "$failed" -eq 0 ] || exit 1
echo PASS
