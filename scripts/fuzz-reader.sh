#!/usr/bin/env bash
# Builds a reader's fuzz target with clang (libFuzzer and the address sanitizer) and runs it for
# a fixed time. Usage: scripts/fuzz-reader.sh [seconds] [build dir] [reader]
# reader: "design" (the design file reader, the default), "raw" (the simulator's raw file) or
# "models" (the op-amp model library).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
out="${2:-build-fuzz}"
reader="${3:-design}"

case "$reader" in
  design) target=fuzz_reader ;;
  raw) target=fuzz_rawfile ;;
  models) target=fuzz_modellibrary ;;
  *) echo "unknown reader: $reader" >&2; exit 2 ;;
esac
corpus="$out/corpus-$reader"
[ "$reader" = design ] && corpus="$out/corpus"
mkdir -p "$corpus"

# CMake owns the fuzz targets (tests/CMakeLists.txt): each links the layer its reader is in.
if [ ! -f "$out/CMakeCache.txt" ]; then
  cmake -S . -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCALVERDON_FUZZ=ON -DCALVERDON_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$out" -j "$(nproc)" --target "$target"
program="$out/bin/$target"

case "$reader" in
  design)
    # Seeds: the shipped default design and a few damaged forms of it.
    cp resources/CVdef.cvf "$corpus/default.cvf"
    head -c 200 resources/CVdef.cvf >"$corpus/short.cvf"
    tr ',' '\n' <resources/CVdef.cvf >"$corpus/spread.cvf"
    # A wide band-pass design with the lines of its two halves after the record.
    cp tests/designfiles/fuzz/twohalves.cvf "$corpus/twohalves.cvf"
    ;;
  raw)
    # Seeds: an analysis followed by an operating point, with each kind of line end.
    cp tests/spice/fuzz/twoplots.raw "$corpus/twoplots.raw"
    sed 's/$/\r/' tests/spice/fuzz/twoplots.raw >"$corpus/crlf.raw"
    tr '\n' '\r' <tests/spice/fuzz/twoplots.raw >"$corpus/cr.raw"
    ;;
  models)
    # Seeds: the start of our library (a few whole models) and the same with lone CRs.
    head -c 4000 resources/models/marquenta.lib >"$corpus/library.lib"
    tr '\n' '\r' <"$corpus/library.lib" >"$corpus/cr.lib"
    ;;
esac

ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" \
  "$program" -max_total_time="$seconds" -timeout=5 -max_len=4096 -print_final_stats=1 \
  "$corpus"
