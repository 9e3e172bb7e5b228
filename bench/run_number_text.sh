#!/bin/sh
# Builds the number text benchmark in Release and runs it with repetitions; the table at the
# end gives per text the median CPU times of the four paths and their ratios. Repetitions run interleaved, so that a busy spell of the machine
# falls on all paths alike. TRAMELA_BENCH_REPETITIONS sets their number (5).
# Usage: bench/run_number_text.sh [build directory] [extra benchmark flags...]
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-"$source_dir/build-bench"}
[ $# -gt 0 ] && shift
repetitions=${TRAMELA_BENCH_REPETITIONS:-5}

cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DTRAMELA_BUILD_BENCH=ON >/dev/null
cmake --build "$build_dir" --target tramela_bench_number_text -j 2 >/dev/null
# The platform path reads the user's convention; the texts are Italian.
LC_ALL=it_IT.UTF-8 "$build_dir/bench/tramela_bench_number_text" \
  --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
  --benchmark_enable_random_interleaving=true "$@"
