#!/usr/bin/env bash
# Builds the design file reader's fuzz target with clang (libFuzzer and the address
# sanitizer) and runs it for a fixed time. Usage: scripts/fuzz-reader.sh [seconds] [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
out="${2:-build-fuzz}"
mkdir -p "$out/corpus"

# shellcheck disable=SC2046
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -fPIC -Isrc $(pkg-config --cflags Qt6Core) \
  tests/designfiles/fuzz/fuzz_reader.cpp src/designfiles/designrecord.cpp src/engine/numbertext.cpp src/engine/rounding.cpp \
  $(pkg-config --libs Qt6Core) -o "$out/fuzz_reader"

# Seeds: the shipped default design and a few damaged forms of it.
cp resources/CVdef.cvf "$out/corpus/default.cvf"
head -c 200 resources/CVdef.cvf >"$out/corpus/short.cvf"
tr ',' '\n' <resources/CVdef.cvf >"$out/corpus/spread.cvf"
# A wide band-pass design with the lines of its two halves after the record.
cp tests/designfiles/fuzz/twohalves.cvf "$out/corpus/twohalves.cvf"

ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" \
  "$out/fuzz_reader" -max_total_time="$seconds" -timeout=5 -max_len=4096 -print_final_stats=1 \
  "$out/corpus"
