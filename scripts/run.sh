#!/usr/bin/env bash
# Builds the tool (build folder "build") and starts the desktop program mmx4210.
# When no serial adapter is attached (no /dev/ttyUSB* or /dev/ttyACM*), the unit counterpart
# mmx4210-unit is started beside it on a pseudo-terminal and Com1 is pointed at it, so a full
# upload can be tried at once; it is stopped again when the window closes.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)" --target mmx4210 mmx4210-unit >/dev/null

unit_pid=""
link_dir=""
stop_unit() {
    if [ -n "$unit_pid" ]; then kill "$unit_pid" 2>/dev/null || true; wait "$unit_pid" 2>/dev/null || true; fi
    if [ -n "$link_dir" ]; then rm -rf "$link_dir"; fi
}
trap stop_unit EXIT

if ! compgen -G "/dev/ttyUSB*" >/dev/null && ! compgen -G "/dev/ttyACM*" >/dev/null \
   && [ -z "${MMX4210_COM1:-}" ]; then
    link_dir=$(mktemp -d)
    link="$link_dir/mmx4210-unit"
    # Paced like a real 115200 baud line, so the progress display has something to show.
    "$BUILD_DIR/apps/unit/mmx4210-unit" --link "$link" --baud 115200 --quiet >/dev/null &
    unit_pid=$!
    for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
    if [ -e "$link" ]; then
        export MMX4210_COM1="$link"
        echo "No serial adapter found: Com1 is the unit counterpart at $link"
    else
        echo "The unit counterpart did not start; Com1 stays /dev/ttyS0" >&2
    fi
fi

# No exec: the trap must run when the window closes.
"$BUILD_DIR/apps/gui/mmx4210"
