#!/usr/bin/env bash
# Builds the fuzzers with clang into build-fuzz/ and runs each for its share
# of the given number of seconds (default 60): the kit reader and the framer
# start from the example kits, the others from nothing. A finding is saved in
# build-fuzz/findings/ and makes the script fail once every fuzzer has run.
set -euo pipefail
cd "$(dirname "$0")/.."
RUN_SECONDS=${1:-60}
BUILD_DIR=build-fuzz
FUZZERS=(kit_fuzzer sysex_framer_fuzzer batch_set_fuzzer kit_tool_numbers_fuzzer library_search_fuzzer)
scripts/install-deps.sh
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DMORVANE_FUZZ=ON -DMORVANE_TESTS=OFF -DMORVANE_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" -j "${JOBS:-2}" --target "${FUZZERS[@]}"
mkdir -p "$BUILD_DIR/findings"
each=$((RUN_SECONDS / ${#FUZZERS[@]} > 0 ? RUN_SECONDS / ${#FUZZERS[@]} : 1))
status=0
for fuzzer in "${FUZZERS[@]}"; do
    corpus="$BUILD_DIR/corpus/$fuzzer"
    mkdir -p "$corpus"
    case $fuzzer in kit_fuzzer | sysex_framer_fuzzer) find examples -name '*.syx' -exec cp {} "$corpus/" \; ;; esac
    echo "== $fuzzer for ${each}s"
    "$BUILD_DIR/fuzz/$fuzzer" -max_total_time="$each" -max_len=2048 -print_final_stats=1 \
      -artifact_prefix="$BUILD_DIR/findings/$fuzzer-" "$corpus" || status=1
done
exit "$status"
