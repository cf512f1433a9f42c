#!/usr/bin/env bash
# Builds the benchmark programs and Dustbane.exe for Windows and runs both benchmarks under
# Wine in one throw-away prefix with its own HOME, which it deletes afterwards:
#   bench.exe         the scan against a bare walk, a bare delete loop and del, and the
#                     analysis of the same tree against the bare walk
#   window_bench.exe  a clean in the real window against Dustbane.exe /clean
# Each prints its own figures.
#
#   scripts/bench.sh               builds with the "windows" preset
#   scripts/bench.sh BUILD_DIR     uses the programs already built in BUILD_DIR
#
# DUSTBANE_BENCH_SCAN="TOP SUB FILES" sets the scan's tree (default 20 50 100: 100,000 files)
# and DUSTBANE_BENCH_WINDOW="FOLDERS FILES" the window's (default 100 200: 20,000 files).
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [ $# -ge 1 ]; then
    DUSTBANE_WIN_BUILD=$(cd "$1" && pwd)
else
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target bench window_bench Dustbane >/dev/null
fi

work=$(mktemp -d /tmp/dustbane-bench.XXXXXX)
cleanup() {
    drop_prefix "$work"
    stop_xvfb
}
trap cleanup EXIT

# The window's texts are read in English.
export LC_ALL=C.UTF-8
start_xvfb
init_prefix "$work"
stage_program
programs=$(prefix_path 'C:\bench-program')
mkdir -p "$programs"
cp "$DUSTBANE_WIN_BUILD/bench.exe" "$DUSTBANE_WIN_BUILD/window_bench.exe" "$programs/"
cd "$WINEPREFIX/drive_c"
# The end sound finds no sound card on a build machine: the ALSA library says so at length.
exec 2> >(grep -v '^ALSA lib' >&2)
# shellcheck disable=SC2086 # the shapes are lists of numbers
wine 'C:\bench-program\bench.exe' ${DUSTBANE_BENCH_SCAN:-}
# shellcheck disable=SC2086
wine 'C:\bench-program\window_bench.exe' ${DUSTBANE_BENCH_WINDOW:-}
