#!/usr/bin/env bash
# Runs one upload scenario against a real FAT16 volume: makes an image with mkfs.fat, mounts it
# with fusefat, maps the scenario's e: onto it (@MNT@ in the script), runs korvane-replay, and
# compares the transcript with the .expected beside the script. Then the volume is unmounted,
# checked with fsck.fat and mounted again read-only, and every file on it is compared byte by
# byte with the file it was copied from: what is checked comes from the image, not from memory.
#
# usage: run_fat_scenario.sh REPLAY SCRIPT WORKDIR
# The first line "# image: KB [mkfs.fat options]" of the script gives the volume's size.
# Exit 77 (skipped) only when the machine has no /dev/fuse.
set -euo pipefail
replay=$1 script=$2 work=$3
name=$(basename "$script" .scn)
expected=${script%.scn}.expected

if [ ! -e /dev/fuse ]; then
    echo "skipped: /dev/fuse is missing, so no FAT volume can be mounted here"
    exit 77
fi
for tool in mkfs.fat fsck.fat fusefat fusermount; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing: install fusefat, dosfstools and fuse (scripts/setup.sh)" >&2
        exit 1
    }
done

rm -rf "$work" && mkdir -p "$work/mnt"
image=$work/player.img mnt=$work/mnt root=$work/root
read -r kb options < <(sed -n '1s/^# image: //p' "$script")
# shellcheck disable=SC2086
mkfs.fat -F 16 $options -C "$image" "$kb" >/dev/null

fuse_pid=
mount_volume() { # rw+ or ro
    fusefat -f -o "$1" "$image" "$mnt" >/dev/null 2>&1 &
    fuse_pid=$!
    for _ in $(seq 100); do
        mountpoint -q "$mnt" && return 0
        kill -0 "$fuse_pid" 2>/dev/null || break
        sleep 0.05
    done
    echo "fusefat could not mount $image" >&2
    exit 1
}
unmount_volume() {
    [ -n "$fuse_pid" ] || return 0
    fusermount -u "$mnt" 2>/dev/null || fusermount -uz "$mnt" 2>/dev/null || true
    wait "$fuse_pid" 2>/dev/null || true # fusefat has written the image once it ends
    fuse_pid=
}
trap unmount_volume EXIT

mount_volume rw+
# @UID@: the user's number, which names the volume's trash (.Trash-UID).
uid=$(id -u)
sed -e "s|@MNT@|$mnt|g" -e "s|@UID@|$uid|g" "$script" >"$work/$name.scn"
status=0
"$replay" --root "$root" "$work/$name.scn" >"$work/raw.actual" || status=$?
sed -e "s|$mnt|@MNT@|g" -e "s|Trash-$uid|Trash-@UID@|g" "$work/raw.actual" >"$work/$name.actual"
unmount_volume

failed=0
if [ "$status" -ne 0 ]; then
    echo "korvane-replay exited $status"
    failed=1
fi
if ! diff -u "$expected" "$work/$name.actual"; then
    echo "transcript differs from $(basename "$expected")"
    failed=1
fi
if ! fsck.fat -n "$image" >"$work/fsck.txt" 2>&1; then
    # fusefat frees a file it failed to rename without freeing its clusters: lost room, which
    # fsck.fat reclaims, but no file harmed. Anything else is a damaged volume.
    findings=$(grep -v -e '^fsck.fat ' -e '^Leaving filesystem unchanged' -e '^$' \
        -e "^$image: " -e '^Reclaimed [0-9]* unused clusters' "$work/fsck.txt" || true)
    if [ -n "$findings" ]; then
        cat "$work/fsck.txt"
        echo "the FAT volume is not consistent after the upload"
        failed=1
    else
        echo "fsck.fat: $(grep '^Reclaimed' "$work/fsck.txt") (fusefat's own leak)"
    fi
fi

# Every file on the volume against its source (matched without regard to case); the extra
# recordings travel under their .mp3 names.
mount_volume ro
sources=$root/d/work/Tarvo_Calls
compared=0
while IFS= read -r -d '' copy; do
    base=$(basename "$copy")
    case "$base" in
    .*)
        echo "a temporary file was left on the volume: ${copy#"$mnt"/}"
        failed=1
        continue
        ;;
    bt1_orig.mp3 | bt2_orig.mp3) wanted=${base%.mp3}.hd3 ;;
    *) wanted=$base ;;
    esac
    source=$(find "$sources" -maxdepth 1 -iname "$wanted" -print -quit 2>/dev/null || true)
    [ -n "$source" ] || continue # a file the player held before, not one of this upload's
    if ! cmp "$source" "$copy"; then
        # a file the scenario garbled on purpose is expected to differ; nothing else is
        grep -qi "^fault corrupt .*$(basename "$copy")" "$script" || failed=1
    fi
    compared=$((compared + 1))
done < <(find "$mnt" -type f -print0)
echo "$compared files on the volume compared with their sources"
unmount_volume
exit "$failed"
