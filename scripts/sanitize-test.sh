#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (preset "asan", in
# build-asan/) and runs every test under them. Any finding ends its test with an error, so the
# run fails.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$here/scripts/setup.sh" # the packages (and the normal build, which the tests run next anyway)
cd "$here"
scripts/configure.sh asan
cmake --build --preset asan
ctest --preset asan -j2
