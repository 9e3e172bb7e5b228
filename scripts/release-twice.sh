#!/usr/bin/env bash
# Checks that a release is the same bytes from any clone: makes the release of this checkout's
# last commit in two fresh clones in two folders of different depth (../shared beside each),
# the first with its tests, the second without (SOURCE_DATE_EPOCH from the commit in both), and
# compares every file; where one differs, diffoscope shows how, and the check fails.
# Usage: release-twice.sh [WORK]     (WORK, a folder made anew, defaults to a temporary one)
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
shared=$(realpath "$checkout/../shared")
work=${1:-$(mktemp -d)}
rm -rf "$work"
# Nothing compiled is shared between the two.
export CCACHE_DISABLE=1
unset CMAKE_CXX_COMPILER_LAUNCHER
for clone in "$work/one/tramela" "$work/two/more/tramela-again"; do
  git clone -q "$checkout" "$clone"
  ln -s "$shared" "$(dirname "$clone")/shared"
done
start=$SECONDS
(cd "$work/one/tramela" && make release)
first=$((SECONDS - start))
(cd "$work/two/more/tramela-again" && TRAMELA_RELEASE_TESTS=0 ./scripts/release.sh)
echo "release-twice.sh: the first release took ${first} s with its tests, the second $((SECONDS - start - first)) s"

one=$work/one/tramela/dist two=$work/two/more/tramela-again/dist
status=0
diff <(ls "$one") <(ls "$two") || { echo "release-twice.sh: the two dist/ hold other files" >&2; status=1; }
for file in "$one"/*; do
  name=$(basename "$file")
  if ! cmp -s "$file" "$two/$name"; then
    echo "release-twice.sh: $name differs between the two releases:" >&2
    diffoscope --text - "$file" "$two/$name" | head -n 200 >&2 || true
    status=1
  fi
done
[ $status = 1 ] || echo "release-twice.sh: the two releases are the same bytes ($(ls "$one" | wc -l) files)"
exit $status
