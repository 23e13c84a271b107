#!/usr/bin/env bash
# Renders the window icon's pixel sizes from packaging/korvane.svg (needs rsvg-convert, from
# librsvg2-bin), and the raw RGBA pixels of the two the window carries (needs ImageMagick's
# convert). Run it after changing the SVG and commit the files with it.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for size in 32 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$here/korvane.svg" -o "$here/icons/korvane-$size.png"
done
for size in 32 64; do
    convert "$here/icons/korvane-$size.png" -depth 8 "rgba:$here/icons/korvane-$size.rgba"
done
