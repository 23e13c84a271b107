#!/usr/bin/env bash
# Warnings are errors for developers and CI only. Configures what users build (the "default"
# preset of the run and test commands, the "package" preset, a plain `cmake -S . -B DIR`) in
# scratch folders and fails if any of them compiles with -Werror; then checks that the
# developers' build in build/ (configured with the "dev" preset) does.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --preset default -B "$scratch/default" >"$scratch/default.log" 2>&1 &
cmake --preset package -B "$scratch/package" >"$scratch/package.log" 2>&1 &
cmake -S . -B "$scratch/plain" -G Ninja >"$scratch/plain.log" 2>&1 &

failed=0
for build in default package plain; do
    if ! wait -n; then
        failed=1
    fi
done
for build in default package plain; do
    if [ ! -f "$scratch/$build/build.ninja" ]; then
        cat "$scratch/$build.log" >&2
        echo "check-werror: configuring the $build build failed" >&2
        failed=1
    elif grep -q -- '-Werror' "$scratch/$build/build.ninja"; then
        echo "check-werror: the $build build compiles with -Werror; users' builds must not" >&2
        failed=1
    fi
done
if ! grep -q -- '-Werror' build/build.ninja; then
    echo "check-werror: build/ (preset dev) compiles without -Werror" >&2
    failed=1
fi
[ $failed = 0 ] && echo "check-werror: users build without -Werror, developers with it"
exit $failed
