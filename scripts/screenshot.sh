#!/usr/bin/env bash
# Saves a PNG of the screen Dustbane shows on, for a developer to look at its windows:
#   scripts/screenshot.sh shot.png              the whole screen
#   scripts/screenshot.sh shot.png "Options"    only the window with this caption
# Uses the Dustbane that scripts/run.sh is running; otherwise starts one (built by
# scripts/run.sh or scripts/test.sh) in build/run-prefix on a virtual display of its own,
# takes the picture and ends it again.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

output=${1:?usage: scripts/screenshot.sh OUT.png [window caption]}
caption=${2:-}
output=$(realpath -m "$output")

# The X window id of a window of Dustbane, by caption, or of its main window.
find_window() {
    xwininfo -root -tree 2>/dev/null |
        awk -v caption="$caption" '
            /\("dustbane.exe" / {
                name = $0; sub(/^[^"]*"/, "", name); sub(/": \(.*/, "", name)
                if (caption == "" || name == caption) { print $1; exit }
            }'
}

started_here=false
recorded=$(cat "$RUN_PREFIX_DIR/display" 2>/dev/null || true)
if [ -n "$recorded" ] && DISPLAY=$recorded xdpyinfo >/dev/null 2>&1 &&
    [ -n "$(DISPLAY=$recorded find_window)" ]; then
    export DISPLAY=$recorded
else
    if [ ! -f "$DUSTBANE_WIN_BUILD/Dustbane.exe" ]; then
        echo "no $DUSTBANE_WIN_BUILD/Dustbane.exe: run scripts/run.sh or scripts/test.sh first" >&2
        exit 1
    fi
    start_xvfb
    prepare_run_prefix >/dev/null
    (start_dustbane >/dev/null 2>&1 &)
    started_here=true
    trap 'wineserver -k 2>/dev/null || true; stop_xvfb' EXIT
fi

deadline=$((SECONDS + 30))
window=
until window=$(find_window) && [ -n "$window" ]; do
    if [ $SECONDS -ge $deadline ]; then
        echo "no Dustbane window${caption:+ \"$caption\"} showed" >&2
        exit 1
    fi
    sleep 0.2
done
if $started_here; then
    # A picture for the eye: give the start-up steps time to fill the window.
    sleep 2
fi

if [ -n "$caption" ]; then
    import -window "$window" "$output"
else
    import -window root "$output"
fi
echo "saved $output"
