#!/usr/bin/env bash
# Builds the kit fuzzer with clang into build-fuzz/ and runs it for the given
# number of seconds (default 60), starting from the example kits. A finding
# is saved in build-fuzz/findings/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
RUN_SECONDS=${1:-60}
BUILD_DIR=build-fuzz
scripts/install-deps.sh
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DMORVANE_FUZZ=ON -DMORVANE_TESTS=OFF -DMORVANE_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" -j "${JOBS:-2}" --target kit_fuzzer
mkdir -p "$BUILD_DIR/corpus" "$BUILD_DIR/findings"
find examples -name '*.syx' -exec cp {} "$BUILD_DIR/corpus/" \;
"$BUILD_DIR/fuzz/kit_fuzzer" -max_total_time="$RUN_SECONDS" -max_len=2048 -print_final_stats=1 \
  -artifact_prefix="$BUILD_DIR/findings/" "$BUILD_DIR/corpus"
