#!/usr/bin/env bash
# Builds Korvane for 64-bit Windows with MinGW-w64 (preset "windows-cross", build-windows/): the
# window, korvane-replay and the C++ tests, and runs them under Wine: every core test, every
# scenario in both modes against the same expected transcripts as on Linux, the Qt tests in a
# virtual display, the real window, and the installer in a fresh Wine prefix. Installs what it
# needs with apt-get. What Debian has for Linux only (TagLib, Qt, the converter's libraries) is
# built for Windows by scripts/windows-deps.sh, once, into a cache outside the checkout.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

packages=(g++-mingw-w64-x86-64-posix wine64 fonts-wine googletest cmake ninja-build pkg-config ccache
    xvfb xauth x11-utils xdotool imagemagick pulseaudio nsis)
"$here/scripts/install-missing.sh" "${packages[@]}"

build=$here/build-windows
mkdir -p "$build"

# TagLib, Qt and the converter's libraries have no Windows package in Debian: windows-deps.sh
# builds them from the Debian source packages of the versions installed here, once, into a cache
# outside the checkout, and prints their prefixes in the order asked. Qt Multimedia's prefix
# (the second) holds the Qt base it was built on too.
deps=$("$here/scripts/windows-deps.sh" taglib multimedia convert | paste -sd';')
qt=$(cut -d';' -f2 <<<"$deps")
# Windows programs find the DLLs they link in their own folder or on WINEPATH: Qt's, and the C++
# runtime the Qt DLLs link.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
mingw_runtime=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
export WINEPATH="$(winpath "$qt/bin");$(winpath "${mingw_runtime[0]}");$(winpath "${mingw_runtime[1]}")"

# A virtual display for the window and the Qt tests, which draw on Windows' own platform there,
# and an audio server of the run's own (a null sink) that Wine's sound driver plays into.
cleanup=()
trap 'for c in "${cleanup[@]}"; do eval "$c"; done' EXIT
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
cleanup+=("kill $! 2>/dev/null || true")
read -r -t 30 -u "$displayfd" display || { echo "test-windows: Xvfb did not start"; exit 1; }
export DISPLAY=:$display
pulse=$(mktemp -d)
cleanup+=("rm -rf '$pulse'")
XDG_RUNTIME_DIR=$pulse HOME=$pulse pulseaudio --daemonize=no --exit-idle-time=-1 -n \
    --use-pid-file=false -L module-null-sink \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$pulse/native" >/dev/null 2>&1 &
cleanup+=("kill $! 2>/dev/null || true")
export PULSE_SERVER=unix:$pulse/native
for _ in $(seq 100); do [ -S "$pulse/native" ] && break; sleep 0.1; done

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
cleanup=("\"$wineserver\" -k 2>/dev/null || true" "${cleanup[@]}")
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
