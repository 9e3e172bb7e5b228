#!/usr/bin/env bash
# Writes the fuzzer's seed corpus into a folder: the hand-written edge cases of
# fuzz/seeds/edge-cases.txt and a sample of the parse-number-fxx test vectors, each under
# every fuzzed convention. A seed is one selector byte (convention + 5 × option, as
# core_fuzzer.cpp reads it) followed by the text.
# Usage: fuzz/make_corpus.sh OUTPUT_DIR [TESTDATA_DIR]
set -euo pipefail

out=$1
here=$(cd "$(dirname "$0")" && pwd)
testdata=${2:-$here/../../shared/testdata/parse-number-fxx}
sample_every=40  # one test vector in this many

# Decimal and grouping separator of each convention, in core_fuzzer.cpp's order.
decimals=(',' '.' ',' $'\xD9\xAB' $'\xF0\x9F\x94\xB8')
groupings=('.' ',' $'\xE2\x80\xAF' $'\xD9\xAC' "'")
option_count=11

rm -rf "$out"
mkdir -p "$out"
n=0

# $1: text written with the comma as decimal and the point as grouping separator.
write_seed() {
  local text=$1 c selector converted
  for c in "${!decimals[@]}"; do
    printf -v selector '\\x%02x' $((c + ${#decimals[@]} * (n % option_count)))
    converted=${text//,/$'\x01'}
    converted=${converted//./${groupings[c]}}
    converted=${converted//$'\x01'/${decimals[c]}}
    printf "$selector%s" "$converted" >"$out/seed-$n-$c"
  done
  n=$((n + 1))
}

while IFS= read -r line || [ -n "$line" ]; do
  printf -v line '%b' "$line"
  write_seed "$line"
done <"$here/seeds/edge-cases.txt"

if [ -d "$testdata" ]; then
  # Each line is "F16 F32 F64 TEXT" with a decimal point: make it a comma first.
  while IFS= read -r text; do
    write_seed "${text//./,}"
  done < <(cat "$testdata"/*.txt | awk -v every="$sample_every" 'NR % every == 0 { print $4 }')
else
  echo "make_corpus.sh: no test vectors at $testdata, edge cases only" >&2
fi
echo "make_corpus.sh: $(ls "$out" | wc -l) seeds in $out"
