#!/usr/bin/env bash
# Pictures of the desktop program's main states (empty, filled, each language, splash, Com port
# menu, upload in progress against a paced unit counterpart, its result, the close question).
# Usage: scripts/screenshots.sh [OUTPUT-FOLDER]   (default: screenshots/)
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=${1:-screenshots}
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)" --target mmx4210 mmx4210-screenshots >/dev/null
# An off-screen display renders the same widgets as X does, without needing one.
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/tests/ui/mmx4210-screenshots" "$OUT" "$BUILD_DIR/apps/gui" 2> >(grep -v 'This plugin does not support' >&2)
