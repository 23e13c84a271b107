#!/usr/bin/env bash
# Sets up, builds and starts Korvane on a copy of the bundled factory kit (build/kit), so that
# whatever Korvane creates there never touches the sources.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/scripts/setup.sh"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Korvane is built, but there is no display to open its window on." >&2
    echo "On a machine without a desktop, run it under a virtual display:" >&2
    echo "  apt-get install -y xvfb xauth && (cd build/kit && xvfb-run -a ../korvane)" >&2
    exit 1
fi
cd "$here/build/kit"
exec ../korvane "$@"
