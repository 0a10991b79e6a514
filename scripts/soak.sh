#!/usr/bin/env bash
# Soak the upload under injected faults: many uploads against the in-process unit, each with its
# own seed and a fake clock. Prints runs, successes, failures and false successes (a success
# whose memory image differs from the intended one) split into damage the frame checksum cannot
# see and faults of the tool; exits non-zero if there is a fault of the tool.
#
#   scripts/soak.sh [RUNS] [FIRST_SEED]      (defaults 1000 and 1)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
RUNS=${1:-1000}
FIRST=${2:-1}
if [ ! -x "$BUILD_DIR/tests/upload/upload_soak" ]; then
  cmake -S . -B "$BUILD_DIR" -DMMX_BUILD_GUI=OFF >/dev/null
  cmake --build "$BUILD_DIR" -j "$(nproc)" --target upload_soak
fi
exec "$BUILD_DIR/tests/upload/upload_soak" --runs "$RUNS" --seed "$FIRST"
