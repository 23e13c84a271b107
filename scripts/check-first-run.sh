#!/usr/bin/env bash
# A newcomer's first run that fails to configure must say why, and the same README command must
# then work once the cause is fixed, without removing anything by hand. The failure here is a
# compiler that is missing (CXX names no program): configuring stops and leaves a cache that
# names it. Then the cause is gone and ./build-and-test.sh runs again; it must build and pass.
#
# On a tree that was never built (CI) this runs in place, so the second run is the real test
# run; elsewhere it runs in a scratch copy of the sources.
set -euo pipefail
tree=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [ -e "$tree/build/CMakeCache.txt" ]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    excluded=(--exclude=./.git)
    for folder in "$tree"/build*/; do
        excluded+=(--exclude="./$(basename "$folder")")
    done
    tar -C "$tree" "${excluded[@]}" -cf - . | tar -C "$scratch" -xf -
    tree=$scratch
fi
cd "$tree"

log=$(mktemp)
if CXX=/nonexistent/c++ ./build-and-test.sh >"$log" 2>&1; then
    cat "$log"
    echo "check-first-run: the run with a missing compiler did not fail" >&2
    exit 1
fi
for expected in '/nonexistent/c++' 'Configuring Korvane (preset' 'run the same command again'; do
    if ! grep -qF -- "$expected" "$log"; then
        cat "$log"
        echo "check-first-run: the failed run does not show \"$expected\"" >&2
        exit 1
    fi
done
if grep -qF "loading 'build.ninja'" "$log"; then
    cat "$log"
    echo "check-first-run: the failed run went on to build without a configured tree" >&2
    exit 1
fi
rm -f "$log"
[ -f build/CMakeCache.txt ] || { echo "check-first-run: no cache was left to recover from" >&2; exit 1; }

echo "check-first-run: the failed first run said why; running the README command again"
./build-and-test.sh
