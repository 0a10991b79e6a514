#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60) from its seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
BUILD_DIR=${BUILD_DIR:-build-fuzz}
CXX=clang++ cmake -S . -B "$BUILD_DIR" -DMMX_FUZZ=ON -DMMX_BUILD_GUI=OFF -DMMX_BUILD_TESTS=OFF -DMMX_BUILD_BENCH=OFF >/dev/null
targets=$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
# shellcheck disable=SC2086
cmake --build "$BUILD_DIR" -j "$(nproc)" --target $targets
for target in $targets; do
  seeds=fuzz/corpus/${target#fuzz_}
  work=$(mktemp -d)
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "== $target (${SECONDS_EACH}s)"
  "$BUILD_DIR/fuzz/$target" -max_total_time="$SECONDS_EACH" -print_final_stats=1 "$work" 2>&1 | grep -E "stat::number_of_executed_units|ERROR|SUMMARY" || true
  rm -rf "$work"
done
