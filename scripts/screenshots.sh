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
# A virtual X server shows the windows as a desktop would (fonts, style, DPI); without xvfb-run,
# Qt's off-screen display renders the same widgets.
if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1600x1000x24" \
        "$BUILD_DIR/tests/ui/mmx4210-screenshots" "$OUT" "$BUILD_DIR/apps/gui"
else
    QT_QPA_PLATFORM=offscreen "$BUILD_DIR/tests/ui/mmx4210-screenshots" "$OUT" "$BUILD_DIR/apps/gui" \
        2> >(grep -v 'This plugin does not support' >&2)
fi
