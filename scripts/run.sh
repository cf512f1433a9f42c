#!/usr/bin/env bash
# Builds Dustbane.exe and runs it under Wine, as root on Debian 12:
#   scripts/run.sh [folder]      the optional folder is passed on as the program's argument
# The program runs in a Wine prefix of its own, build/run-prefix, whose settings stay from
# one run to the next; it has no drive Z:, so nothing it cleans can reach the host's files.
# Without a DISPLAY the program shows on a virtual display; scripts/screenshot.sh shows it.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

"$DUSTBANE_ROOT/scripts/install-deps.sh"
cd "$DUSTBANE_ROOT"
cmake --preset windows >/dev/null
cmake --build --preset windows
prepare_run_prefix

if [ -z "${DISPLAY:-}" ]; then
    start_xvfb
    trap stop_xvfb EXIT
    echo "No DISPLAY: Dustbane runs on the virtual display $DISPLAY."
    echo "To look at it: scripts/screenshot.sh shot.png   (or with a window caption to take one window)"
fi
echo "$DISPLAY" >"$RUN_PREFIX_DIR/display"
echo "Starting Dustbane in $WINEPREFIX ($DUSTBANE_INSTALL_DIR); close its window to end."
start_dustbane "$@" || echo "Dustbane ended with exit code $?"
rm -f "$RUN_PREFIX_DIR/display"
