#!/usr/bin/env bash
# Builds the benchmark program for Windows and runs it under Wine in a throw-away prefix,
# which it deletes afterwards. It prints its own figures.
#
#   scripts/bench.sh               builds with the "windows" preset
#   scripts/bench.sh BUILD_DIR     uses bench.exe already built in BUILD_DIR
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [ $# -ge 1 ]; then
    build_dir=$(cd "$1" && pwd)
else
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target bench >/dev/null
    build_dir=$DUSTBANE_WIN_BUILD
fi

work=$(mktemp -d /tmp/dustbane-bench.XXXXXX)
cleanup() {
    drop_prefix "$work"
    stop_xvfb
}
trap cleanup EXIT

start_xvfb
init_prefix "$work"
mkdir -p "$WINEPREFIX/drive_c/bench-program"
cp "$build_dir/bench.exe" "$WINEPREFIX/drive_c/bench-program/"
cd "$WINEPREFIX/drive_c"
wine 'C:\bench-program\bench.exe'
