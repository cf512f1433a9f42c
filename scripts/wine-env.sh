# Sourced by the other scripts: the virtual display and the Wine prefixes Dustbane runs in.
# Every prefix is cut off from the host (no drive Z:, no links out of drive_c) and has its
# own HOME, so that nothing Dustbane scans or deletes can be the developer's own files.

DUSTBANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Where Dustbane.exe and the Windows test programs are built (the "windows" preset).
DUSTBANE_WIN_BUILD=${DUSTBANE_WIN_BUILD:-"$DUSTBANE_ROOT/build/windows"}
# Where the program and the test programs live inside a prefix.
DUSTBANE_INSTALL_DIR='C:\Dustbane'
DUSTBANE_TESTS_DIR='C:\tests'

export WINEDEBUG=-all
# No Mono or Gecko installer prompts while a prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Starts a virtual display on a free display number; sets DISPLAY and XVFB_PID.
start_xvfb() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    local deadline=$((SECONDS + 15))
    # Xvfb writes the display number once it accepts clients.
    while [ ! -s "$number_file" ]; do
        if ! kill -0 "$XVFB_PID" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
            echo "could not start Xvfb" >&2
            rm -f "$number_file"
            return 1
        fi
        sleep 0.1
    done
    export DISPLAY=":$(tr -d '\n' <"$number_file")"
    rm -f "$number_file"
}

stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

# Points Wine at the prefix in DIR/prefix, with DIR/home as HOME (the Recycle Bin of Wine
# is the Trash under XDG_DATA_HOME).
use_prefix() {
    local dir=$1
    export WINEPREFIX="$dir/prefix"
    export HOME="$dir/home"
    export XDG_DATA_HOME="$HOME/.local/share"
    export XDG_CONFIG_HOME="$HOME/.config"
    export XDG_CACHE_HOME="$HOME/.cache"
    mkdir -p "$XDG_DATA_HOME"
}

# Replaces every link that leads out of the prefix: drives other than C:, serial ports,
# and the user folders Wine links to HOME.
cut_host_links() {
    local prefix=$1 link
    find "$prefix/dosdevices" -mindepth 1 -maxdepth 1 ! -name 'c:' -exec rm -f {} +
    while IFS= read -r -d '' link; do
        rm -f "$link"
        mkdir -p "$link"
    done < <(find "$prefix/drive_c" -type l -print0)
}

# Creates a fresh prefix in DIR (see use_prefix) and waits until Wine has finished with it.
init_prefix() {
    local dir=$1
    rm -rf "$dir"
    mkdir -p "$dir"
    use_prefix "$dir"
    LC_ALL=C.UTF-8 wineboot -i >/dev/null 2>&1
    wineserver -w
    cut_host_links "$WINEPREFIX"
}

# Copies the prefix of SOURCE into TARGET, each with its own HOME. The 600 MB of system32
# are hard links: nothing there is ever written, and copying them would cost seconds.
clone_prefix() {
    local source=$1 target=$2 entry
    rm -rf "$target"
    mkdir -p "$target/prefix"
    for entry in "$source/prefix"/* "$source/prefix"/.[!.]*; do
        [ -e "$entry" ] || continue
        [ "$(basename "$entry")" = drive_c ] || cp -a "$entry" "$target/prefix/"
    done
    mkdir -p "$target/prefix/drive_c"
    for entry in "$source/prefix/drive_c"/*; do
        [ "$(basename "$entry")" = windows ] || cp -a "$entry" "$target/prefix/drive_c/"
    done
    mkdir -p "$target/prefix/drive_c/windows"
    for entry in "$source/prefix/drive_c/windows"/*; do
        if [ "$(basename "$entry")" = system32 ]; then
            cp -al "$entry" "$target/prefix/drive_c/windows/"
        else
            cp -a "$entry" "$target/prefix/drive_c/windows/"
        fi
    done
    use_prefix "$target"
}

# Stops the wine server of the prefix in DIR and deletes DIR.
drop_prefix() {
    local dir=$1
    WINEPREFIX="$dir/prefix" wineserver -k 2>/dev/null || true
    WINEPREFIX="$dir/prefix" wineserver -w 2>/dev/null || true
    rm -rf "$dir"
}

# Unix path of a C:\ path inside the current prefix.
prefix_path() {
    local windows_path=${1#C:\\}
    echo "$WINEPREFIX/drive_c/${windows_path//\\//}"
}

# Copies Dustbane.exe and the files the build puts beside it into the installation folder.
stage_program() {
    local install entry
    install=$(prefix_path "$DUSTBANE_INSTALL_DIR")
    mkdir -p "$install"
    for entry in Dustbane.exe help.htm end.wav lang; do
        if [ -e "$DUSTBANE_WIN_BUILD/$entry" ]; then
            rm -rf "${install:?}/$entry"
            cp -r "$DUSTBANE_WIN_BUILD/$entry" "$install/"
        fi
    done
}

# Copies the Windows test programs, and the installers that scenarios run, into the tests
# folder.
stage_tests() {
    local tests program
    tests=$(prefix_path "$DUSTBANE_TESTS_DIR")
    mkdir -p "$tests"
    for program in platform_tests.exe e2e_tests.exe Dustbane-Setup.exe Dustbane.msi Dustbane-next.msi; do
        if [ -f "$DUSTBANE_WIN_BUILD/$program" ]; then
            cp "$DUSTBANE_WIN_BUILD/$program" "$tests/"
        fi
    done
}

# The developer's prefix for scripts/run.sh and scripts/screenshot.sh: kept between runs, so
# that settings stay as the last run left them. Sets up Wine's variables for it.
RUN_PREFIX_DIR="$DUSTBANE_ROOT/build/run-prefix"
prepare_run_prefix() {
    if [ -f "$RUN_PREFIX_DIR/prefix/system.reg" ]; then
        use_prefix "$RUN_PREFIX_DIR"
        cut_host_links "$WINEPREFIX"
    else
        echo "creating the Wine prefix $RUN_PREFIX_DIR"
        init_prefix "$RUN_PREFIX_DIR"
    fi
    stage_program
}

# Starts Dustbane.exe in the current prefix from its installation folder, which is then its
# current directory; arguments go to the program.
start_dustbane() {
    cd "$(prefix_path "$DUSTBANE_INSTALL_DIR")" && wine "$DUSTBANE_INSTALL_DIR\\Dustbane.exe" "$@"
}
