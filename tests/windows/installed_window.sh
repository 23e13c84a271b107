#!/usr/bin/env bash
# Korvane as a Windows user gets it: the ZIP and the installer made by CPack, each put into a
# fresh Wine prefix that has nothing else (no WINEPATH, no Qt, no MinGW runtime), and the
# program started from there with Windows' own platform in the virtual display of the test
# run. A DLL left out of the package stops the program before its window, and the test fails.
# The window must show "Korvane Software" and draw something; its picture is kept.
# Usage: installed_window.sh BUILD_FOLDER WINE SCREENSHOT
set -euo pipefail
build=$1 wine=$2 shot=$3
for tool in xwininfo xdotool import convert identify strings cpack; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 0; }
done
[ -n "${DISPLAY:-}" ] || { echo "skipped: no display (scripts/test-windows.sh starts one)"; exit 0; }
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH QT_QPA_PLATFORM QT_PLUGIN_PATH
trap '"$wineserver" -k 2>/dev/null || true; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
"$wine" wineboot --init >/dev/null 2>&1 </dev/null

# Starts korvane.exe in the kit beside it, as the Start menu entry does.
start_installed() { # FOLDER (host path)
    local folder=$1
    [ -f "$folder/korvane.exe" ] || { echo "no korvane.exe in $folder"; ls "$folder"; exit 1; }
    # Once to its first paint and out: the exit status says it found everything it loads.
    if ! (cd "$folder/kit" && KORVANE_EXIT_WHEN_SHOWN=1 timeout 120 "$wine" ../korvane.exe \
              >"$work/out.txt" 2>&1 </dev/null); then
        echo "korvane.exe in $folder did not reach its window:"
        cat "$work/out.txt"
        exit 1
    fi
}

generators=(ZIP)
command -v makensis >/dev/null && generators+=(NSIS)
for generator in "${generators[@]}"; do
    cpack --config "$build/CPackConfig.cmake" -G "$generator" -B "$work/package" >/dev/null
done

# The ZIP, unpacked anywhere.
zip=$(ls "$work"/package/*.zip)
mkdir -p "$WINEPREFIX/drive_c/unpacked"
(cd "$WINEPREFIX/drive_c/unpacked" && cmake -E tar xf "$zip")
unpacked=$(dirname "$(find "$WINEPREFIX/drive_c/unpacked" -name korvane.exe | head -n 1)")
start_installed "$unpacked"
echo "the ZIP's korvane.exe starts from $unpacked"

installed=$unpacked
if [ ${#generators[@]} -gt 1 ]; then
    installer=$(ls "$work"/package/*.exe)
    timeout 300 "$wine" "$installer" /S >/dev/null 2>&1 </dev/null
    "$wineserver" -w
    installed="$WINEPREFIX/drive_c/Program Files/Korvane"
    start_installed "$installed"
    menu=$(find "$WINEPREFIX/drive_c" -path '*Start Menu*' -iname 'Korvane.lnk' | head -n 1)
    [ -n "$menu" ] || { echo "the installer made no Start menu entry"; exit 1; }
    # The entry starts the program in its kit (a shortcut holds its folder as UTF-16).
    strings -e l "$menu" | grep -qi 'Korvane\\kit$' || {
        echo "the Start menu entry does not start Korvane in its kit"; exit 1; }
    echo "the installer's korvane.exe starts from $installed; Start menu: ${menu##*/}"
else
    echo "makensis is not installed (Debian: nsis): only the ZIP was checked"
fi

# The real window, left open: found by its title, then its picture taken. A first start in a
# new folder asks its start-up questions in boxes titled "Korvane"; each is answered with Enter.
(cd "$installed/kit" && "$wine" ../korvane.exe >/dev/null 2>&1 </dev/null &)
for _ in $(seq 120); do
    windows=$(xwininfo -root -tree 2>/dev/null)
    grep -q '"Korvane Software"' <<<"$windows" && break
    grep -q '"Korvane": ("korvane.exe"' <<<"$windows" && xdotool key Return
    sleep 0.5
done
xwininfo -root -tree | grep -q '"Korvane Software"' || {
    echo "no window titled \"Korvane Software\" appeared"; exit 1; }
sleep 2 # its first paint
import -window root "$shot"
convert "$shot" -trim +repage "$shot" # the window, without the empty screen around it
colours=$(identify -format '%k' "$shot")
echo "window \"Korvane Software\" shown; screenshot $shot has $colours colours"
[ "$colours" -gt 16 ] || { echo "the screenshot is blank"; exit 1; }
