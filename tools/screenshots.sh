#!/usr/bin/env bash
# Retakes the README's screenshots (docs/screenshots/*.png) of the real
# program: builds it, then runs tools/screenshots/main.cpp under a virtual X
# display, which opens the example document, runs it with the Stata stand-in
# and grabs the main window and the CSV viewer.
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${QUORIN_BUILD_DIR:-$source_dir/build}
output_dir=${1:-$source_dir/docs/screenshots}

if ! command -v xvfb-run >/dev/null || ! command -v xauth >/dev/null; then
    echo "xvfb-run and xauth are needed: apt-get install xvfb xauth" >&2
    exit 1
fi

[ -f "$build_dir/CMakeCache.txt" ] || cmake -G Ninja -S "$source_dir" -B "$build_dir"
cmake --build "$build_dir" --target quorin_screenshots

# A fixed screen and font setup, so that pictures taken on different
# machines look alike.
exec xvfb-run -a -s "-screen 0 1600x1000x24 -dpi 96" \
    env QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 QT_FONT_DPI=96 \
    "$build_dir/tools/quorin_screenshots" "$output_dir"
