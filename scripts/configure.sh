#!/usr/bin/env bash
# Configures the build folder of a preset; every script runs it before it builds.
#   scripts/configure.sh PRESET [CMAKE-ARGS...]
# Configuring is incremental, so running it every time costs a second or so and never misses a
# changed CMakeLists or preset. A configure that never finished (a package was missing, the
# install was interrupted) leaves a cache but no build.ninja: that cache is thrown away, so
# the run after the cause is fixed starts afresh instead of reusing the failed choices. The
# configure output is shown only when it fails.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
preset=${1:?usage: scripts/configure.sh PRESET [CMAKE-ARGS...]}
shift

# The binary folders of CMakePresets.json.
declare -A folders=([default]=build [dev]=build [package]=build-package [bench]=build-bench
                    [asan]=build-asan [fuzz]=build-fuzz)
folder=$here/${folders[$preset]:?unknown preset $preset}

if [ -f "$folder/CMakeCache.txt" ] && [ ! -f "$folder/build.ninja" ]; then
    echo "The last configure of $folder did not finish; configuring it afresh."
    rm -rf "$folder/CMakeCache.txt" "$folder/CMakeFiles"
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
cd "$here"
if ! cmake --preset "$preset" "$@" >"$log" 2>&1; then
    cat "$log" >&2
    echo >&2
    echo "Configuring Korvane (preset $preset) failed; the messages above say why." >&2
    echo "Fix the cause (often a missing package) and run the same command again." >&2
    exit 1
fi
