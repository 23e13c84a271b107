#!/usr/bin/env bash
# Builds the core, korvane-replay and the C++ tests for 64-bit Windows with MinGW-w64 (preset
# "windows-cross", build-windows/) and runs every core test and every scenario under Wine,
# against the same expected transcripts as on Linux. Installs what it needs with apt-get.
# What Debian has for Linux only (TagLib) is built for Windows by scripts/windows-deps.sh.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

packages=(g++-mingw-w64-x86-64-posix wine64 fonts-wine googletest cmake ninja-build pkg-config ccache)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends \
        "${missing[@]}" -qq >/dev/null
fi

build=$here/build-windows
mkdir -p "$build"

# TagLib has no Windows package in Debian: windows-deps.sh builds it from the Debian source package
# of the version installed here, once, into a cache outside the checkout.
deps=$("$here/scripts/windows-deps.sh" taglib)

# A Wine prefix of the run's own, with a removable drive r: labelled TARVO for the drive list
# test (Wine reads the label from .windows-label and the type from its registry).
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
if [ ! -d "$WINEPREFIX/dosdevices" ]; then
    echo "Preparing Wine"
    "$wine" wineboot --init >/dev/null 2>&1 </dev/null
    mkdir -p "$build/removable-drive"
    echo TARVO >"$build/removable-drive/.windows-label"
    ln -sfn "$build/removable-drive" "$WINEPREFIX/dosdevices/r:"
    "$wine" reg add 'HKLM\Software\Wine\Drives' /v r: /d floppy /f >/dev/null 2>&1 </dev/null
    # The server that made the prefix ends a few seconds after its last program; a program
    # that reaches it while it ends loses its connection ("recvmsg: Connection reset").
    "$wineserver" -w
fi
# One server for the whole run rather than one per test; it goes when the script ends.
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT
export KORVANE_TEST_REMOVABLE_DRIVE=r:TARVO
# Wine's own services start with the first program and keep its output open; started here with
# none, they cannot hold up a test that reads a program's output to its end.
"$wine" wineboot >/dev/null 2>&1 </dev/null

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# pkg-config's answers are kept in the cache: a build folder made against other dependencies
# (another version, or a folder of the checkout as before) starts afresh.
fresh=()
if [ -f "$build/CMakeCache.txt" ] &&
    [ "$(sed -n 's/^KORVANE_WINDOWS_DEPS:[A-Z]*=//p' "$build/CMakeCache.txt")" != "$deps" ]; then
    fresh=(--fresh)
fi
cmake --preset windows-cross "${fresh[@]}" "${launcher[@]}" -DKORVANE_WINDOWS_DEPS="$deps" >/dev/null
cmake --build --preset windows-cross
# Should a Wine client still lose its server before the program runs at all, what failed runs
# once more, and must pass then; the list above says which.
if ! ctest --preset windows-cross -j"${KORVANE_TEST_JOBS:-2}" --timeout 900; then
    echo "test-windows: running the failed tests once more"
    ctest --preset windows-cross --rerun-failed --timeout 900
fi
