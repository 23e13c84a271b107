#!/usr/bin/env bash
# Checks the formatting of every C++ file with Debian 12's clang-format (version 14), the one
# .clang-format is written for; another version formats some constructs differently.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

format=clang-format-14
if ! command -v "$format" >/dev/null 2>&1; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$format" >/dev/null
fi
"$format" --version | grep -q 'version 14\.' || { echo "$format is not version 14" >&2; exit 1; }
find src tools tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 "$format" --dry-run --Werror
