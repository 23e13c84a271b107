#!/usr/bin/env bash
# Sets up, builds and runs every test: the core's unit tests, the scenario scripts and the
# tests of the real window (offscreen).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/scripts/setup.sh"
cd "$here"
QT_QPA_PLATFORM=offscreen ctest --preset default -j2
