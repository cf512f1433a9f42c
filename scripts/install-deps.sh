#!/usr/bin/env bash
# Installs, on Debian 12 as root, the packages the build and the tests need and that are
# not yet present. Quiet and quick when everything is there already.
set -euo pipefail

# The one list of what a fresh machine needs.
PACKAGES=(
    cmake                      # build
    ninja-build                # build
    g++                        # native build of the portable core and its unit tests
    g++-mingw-w64-x86-64-posix # Dustbane.exe and the Wine-run tests
    googletest                 # GoogleTest sources, built with mingw
    libgtest-dev               # GoogleTest for the native unit tests
    clang                      # the libFuzzer targets
    libclang-rt-14-dev         # libFuzzer and the sanitizer runtimes for clang
    wine                       # runs Dustbane.exe and the Windows tests
    wine64
    fonts-wine                 # the fonts Wine draws captions and controls with
    fonts-liberation
    fonts-wqy-microhei         # Chinese (and Latin) glyphs for the Chinese language files
    xvfb                       # virtual display for Wine
    xauth
    x11-utils                  # xwininfo, xdpyinfo
    imagemagick                # import: screenshots of the virtual display
    nsis                       # makensis: Dustbane-Setup.exe
    wixl                       # Dustbane.msi
    msitools                   # msiinfo, msidump: reading an MSI's tables
    python3                    # the check of the Group Policy templates
    nlohmann-json3-dev         # JSON for Modern C++, header-only: the /json reports (both builds)
    python3-jsonschema         # scripts/test.sh validates the /json reports against their schema
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages: ${missing[*]}; run this script as root to install them" >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
