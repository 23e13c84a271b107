#!/usr/bin/env bash
# Screenshots of the window at several scales under a virtual display, for looking at frames,
# captions and icons: the start-up state and the folder choice ("File" clicked), each trimmed
# to the window. Needs xvfb, xauth, imagemagick and xdotool, and a built build/korvane.
#   scripts/window-shots.sh OUT-FOLDER [SCALE...]     # scales default to 1 1.25 1.5 1.75 2
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(mkdir -p "${1:?usage: scripts/window-shots.sh OUT-FOLDER [SCALE...]}" && cd "$1" && pwd)
shift
scales=("$@")
[ ${#scales[@]} -gt 0 ] || scales=(1 1.25 1.5 1.75 2)

if [ -z "${KORVANE_SHOTS_INSIDE:-}" ]; then
    exec env KORVANE_SHOTS_INSIDE=1 xvfb-run -a -s '-screen 0 1600x1200x24' "$0" "$out" "${scales[@]}"
fi

cd "$here/build/kit"
for scale in "${scales[@]}"; do
    QT_SCALE_FACTOR=$scale ../korvane 2>/dev/null &
    pid=$!
    sleep 3
    import -window root "$out/start-$scale.png"
    # "File" is the first button at the window's top left (no window manager: no title bar).
    read -r x y < <(awk -v s="$scale" 'BEGIN { printf "%d %d\n", 20 * s, 8 * s }')
    xdotool mousemove "$x" "$y" click 1
    sleep 1
    import -window root "$out/file-$scale.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    mogrify -trim +repage "$out/start-$scale.png" "$out/file-$scale.png"
    echo "$out/start-$scale.png $out/file-$scale.png"
done
