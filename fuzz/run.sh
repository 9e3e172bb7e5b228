#!/usr/bin/env bash
# Builds the fuzz target with clang, replays the seed corpus and what earlier runs kept,
# then fuzzes for a bounded time. Fails on any finding; the input that broke a rule is
# left in the build folder's fuzz-artifacts/.
# Usage: fuzz/run.sh [SECONDS]    (60 by default; 0 replays the corpus only)
# Environment: TRAMELA_FUZZ_BUILD_DIR (default build-fuzz), JOBS (default 2).
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TRAMELA_FUZZ_BUILD_DIR:-$root/build-fuzz}
fuzzer=$build/fuzz/core_fuzzer
seeds=$build/fuzz-seeds
corpus=$build/fuzz-corpus
artifacts=$build/fuzz-artifacts/

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRAMELA_BUILD_FUZZ=ON -DBUILD_TESTING=OFF -DTRAMELA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target core_fuzzer -j "${JOBS:-2}"

"$root/fuzz/make_corpus.sh" "$seeds"
mkdir -p "$corpus" "$artifacts"

common=(-dict="$root/fuzz/core_fuzzer.dict" -max_len=4096 -artifact_prefix="$artifacts"
        -print_final_stats=1)

# libFuzzer is talkative: its log goes to a file, of which a failure shows the end.
fuzz() {
  local log=$build/fuzz-$1.log
  shift
  if ! "$fuzzer" "${common[@]}" "$@" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz/run.sh: FINDING, see $log and $artifacts" >&2
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$log"
}

echo "== replaying the corpus"
fuzz replay -runs=0 "$corpus" "$seeds"

if [ "$seconds" -gt 0 ]; then
  echo "== fuzzing for $seconds s"
  # New inputs go into the first folder, kept between runs in the same build folder.
  fuzz run -max_total_time="$seconds" "$corpus" "$seeds"
fi
echo "== no finding"
