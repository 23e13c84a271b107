#!/usr/bin/env bash
# Installs what building Korvane needs (Debian 12 packages), then configures and builds it.
# Fast when nothing changed: installed packages are only checked, the build is incremental.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgtest-dev libgl-dev)
# The uploads to a real FAT volume: mkfs.fat and fsck.fat, fusefat, and fusermount.
packages+=(dosfstools fusefat fuse)
# Hearing calls: Qt Multimedia plays them through GStreamer, whose base and good plugins hold
# the MP3 parser and decoder and the PulseAudio output; TagLib reads their lengths.
packages+=(qt6-multimedia-dev libtag1-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good)
# Converting recordings to the player's MP3 form and measuring their loudness: libsndfile
# decodes (WAV, AIFF, FLAC, Ogg, Opus, MP3), libsamplerate resamples, libebur128 measures and
# LAME encodes.
packages+=(libsndfile1-dev libsamplerate0-dev libebur128-dev libmp3lame-dev)
# The playback test starts an audio server of its own and asks it what plays.
packages+=(pulseaudio pulseaudio-utils)
[ "${KORVANE_WITH_XVFB:-0}" = 1 ] && packages+=(xvfb xauth)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    install=(apt-get install -y --no-install-recommends "${missing[@]}")
    if [ "$(id -u)" -eq 0 ]; then
        sudo=()
    elif command -v sudo >/dev/null 2>&1; then
        sudo=(sudo)
    else
        echo "Korvane needs these packages: ${missing[*]}" >&2
        echo "Install them as root with:" >&2
        echo "  apt-get update && ${install[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${install[@]}" -qq >/dev/null
fi

# Users build without -Werror (a newer compiler's new warning must not stop them); CI and
# developers ask for their preset with KORVANE_PRESET=dev. Both build in build/.
preset=${KORVANE_PRESET:-default}
"$here/scripts/configure.sh" "$preset"
cmake --build --preset "$preset"
