#!/usr/bin/env bash
# Proves that the Debian package, installed with apt on a fresh minimal Debian 12, plays a
# factory call: builds the .deb, installs it into a new debootstrap root the way a user's apt
# does (Depends and Recommends, nothing else), then runs the playback test there against the
# installed player module and the installed kit, and opens the installed program's window.
# Only the test's own needs (its Qt Test library and, if the package did not bring it, a sound
# server) are added to the root.
#
# usage (as root, from anywhere in the tree):  scripts/check-package.sh
# Takes a few minutes. The pristine root is kept in build-package/debian-base and the downloaded
# packages in build-package/debian-apt-cache; every run installs into a fresh copy of the root
# (build-package/debian-root). Delete debian-base to start from a new debootstrap.
set -uo pipefail
tree=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$tree/build-package
base=$out/debian-base
root=$out/debian-root
cache=$out/debian-apt-cache
log=$out/check-package.log
started=$(date +%s)

cannot() {
    echo "check-package: CANNOT RUN: $*" >&2
    exit 2
}
fail() {
    echo "check-package: FAIL ($(($(date +%s) - started)) s): $*" >&2
    exit 1
}
step() { echo "check-package: $*"; }
# The last lines of the log, for a failure to show its cause.
show_log() { tail -n "${1:-25}" "$log" | sed 's/^/  | /' >&2; }

[ "$(id -u)" = 0 ] || cannot "needs root (debootstrap, chroot and mount); run it with sudo"
if ! command -v debootstrap >/dev/null; then
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap; } >/dev/null 2>&1
    command -v debootstrap >/dev/null ||
        cannot "debootstrap is not installed and 'apt-get install debootstrap' did not install it"
fi
command -v cpack >/dev/null || cannot "cmake/cpack is not installed"
command -v dpkg-shlibdeps >/dev/null || cannot "dpkg-shlibdeps is missing (apt-get install dpkg-dev)"
mirror=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null)
[ -n "$mirror" ] || mirror=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list 2>/dev/null)
[ -n "$mirror" ] || cannot "no Debian mirror found in /etc/apt/sources.list.d/debian.sources or /etc/apt/sources.list"

# Mounted inside the root while it runs; never left bound in a folder that is deleted.
mounts=(proc dev dev/pts var/cache/apt/archives)
unmount_all() {
    local m
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        m=$root/${mounts[i]}
        mountpoint -q "$m" 2>/dev/null || continue
        umount "$m" 2>/dev/null || umount -l "$m"
    done
}
trap unmount_all EXIT
trap 'exit 130' INT TERM

# 1. The package, as the README builds it.
mkdir -p "$out"
: >"$log"
step "building the package (log: $log)"
cd "$tree" || cannot "no source tree at $tree"
rm -f "$out"/korvane_*.deb
{ cmake --preset package && cmake --build --preset package && cpack --preset package; } >>"$log" 2>&1 ||
    { show_log; fail "the package did not build"; }
debs=("$out"/korvane_*.deb)
[ -f "${debs[0]}" ] && [ ${#debs[@]} = 1 ] || fail "cpack did not write one korvane_*.deb into $out"
deb=${debs[0]}
prober=$out/tests/korvane_playback_tests
[ -x "$prober" ] || fail "the playback test $prober was not built"
step "built $(basename "$deb"): $(dpkg-deb -f "$deb" Depends)"
step "  recommends: $(dpkg-deb -f "$deb" Recommends)"

# 2. A fresh minimal Debian 12: debootstrap once, then a new copy of it for every run.
if [ ! -x "$base/usr/bin/apt-get" ]; then
    step "making a minimal Debian 12 in $base from $mirror (a few minutes)"
    rm -rf --one-file-system "$base.tmp"
    debootstrap --variant=minbase bookworm "$base.tmp" "$mirror" >>"$log" 2>&1 ||
        { show_log; fail "debootstrap failed"; }
    # The same sources as this machine (updates and security included), instead of the bare
    # suite debootstrap writes.
    if cp /etc/apt/sources.list.d/debian.sources "$base.tmp/etc/apt/sources.list.d/" 2>/dev/null; then
        rm -f "$base.tmp/etc/apt/sources.list"
    fi
    rm -rf "$base.tmp/var/cache/apt/archives"/*.deb
    mv "$base.tmp" "$base"
fi
unmount_all
for m in "${mounts[@]}"; do
    ! mountpoint -q "$root/$m" 2>/dev/null || fail "$root/$m is still mounted; unmount it first"
done
rm -rf --one-file-system "$root" || fail "cannot remove the previous root $root"
cp -a "$base" "$root" || fail "cannot copy $base to $root"
cp /etc/resolv.conf "$root/etc/" 2>/dev/null
mkdir -p "$cache/partial"
mount -t proc proc "$root/proc" && mount --bind /dev "$root/dev" &&
    mount --bind /dev/pts "$root/dev/pts" && mount --bind "$cache" "$root/var/cache/apt/archives" ||
    fail "cannot mount /proc, /dev and the apt cache in $root"
clean_env=(env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive)
in_root() { chroot "$root" "${clean_env[@]}" "$@"; }
# shellcheck disable=SC2016 # the format is dpkg-query's, not the shell's
installed() { [ "$(in_root dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]; }

# 3. The package, installed the way a user does: apt resolves what it depends on and recommends.
step "installing $(basename "$deb") with apt-get in the fresh root"
cp "$deb" "$root/tmp/"
in_root apt-get update -q >>"$log" 2>&1 || { show_log; fail "apt-get update failed in the root"; }
in_root bash -c "cd /tmp && apt-get install -y -q ./$(basename "$deb")" >>"$log" 2>&1 ||
    { show_log; fail "apt-get could not install $(basename "$deb") on a fresh Debian 12"; }
program=/usr/bin/korvane
module=$(in_root dpkg -L korvane | grep '/korvane_media\.so$')
[ -n "$module" ] && [ -f "$root$module" ] || fail "the package installs no player module korvane_media.so"
[ -x "$root$program" ] || fail "the package installs no $program"
converter=$(in_root dpkg -L korvane | grep '/korvane_converter\.so$')
[ -n "$converter" ] && [ -f "$root$converter" ] ||
    fail "the package installs no converter module korvane_converter.so"
reader=$(in_root dpkg -L korvane | grep '/korvane_call_reader\.so$')
[ -n "$reader" ] && [ -f "$root$reader" ] ||
    fail "the package installs no call reader module korvane_call_reader.so"
missing=$(in_root ldd "$program" "$module" "$converter" "$reader" | grep 'not found')
[ -z "$missing" ] || fail "libraries the package does not bring in: $(echo "$missing" | xargs)"
if installed pulseaudio; then
    server="pulseaudio came with the package (Recommends)"
else
    server="pulseaudio did not come with the package; installed for the test"
fi
step "$server"

# 4. The prober: the playback test, placed in /usr/bin so that the module it finds relative to
# itself is the installed one. Only what the test itself needs is added.
extra=(libqt6test6)
installed pulseaudio || extra+=(pulseaudio)
in_root apt-get install -y -q "${extra[@]}" >>"$log" 2>&1 ||
    { show_log; fail "cannot install the test's own needs (${extra[*]})"; }
cp "$prober" "$root/usr/bin/"
missing=$(in_root ldd /usr/bin/korvane_playback_tests | grep 'not found')
[ -z "$missing" ] || fail "the playback test lacks libraries in the root: $(echo "$missing" | xargs)"
# The test plays calls from the kit folder it was built with: there it is the installed kit.
kit=$tree/factory/kit
grep -qF "$kit" "$prober" || fail "the playback test does not read its calls from $kit"
mkdir -p "$root$(dirname "$kit")"
ln -s /usr/share/korvane/kit "$root$kit"
# The only player module in the root is the installed one: the one the build made is not there.
others=$(find "$root" -xdev -name 'korvane_media*' ! -path "$root$module")
[ -z "$others" ] || fail "other player modules in the root besides the installed one: $(echo "$others" | xargs)"
[ ! -e "$root$out" ] || fail "the build folder $out exists in the root"

step "playing factory calls with the installed player module $module"
maps=$out/check-package.maps
: >"$maps"
# chroot and env replace themselves with the test, so this process is the test.
chroot "$root" "${clean_env[@]}" KORVANE_REQUIRE_AUDIO=1 QT_QPA_PLATFORM=offscreen \
    /usr/bin/korvane_playback_tests >>"$log" 2>&1 &
pid=$!
# From outside: which player module the running test has mapped.
while [ ! -s "$maps" ] && kill -0 "$pid" 2>/dev/null; do
    [ "$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null)" != Z ] || break
    grep -o '/[^ ]*korvane_media\.so$' "/proc/$pid/maps" 2>/dev/null | sort -u >"$maps"
    sleep 0.05
done
wait "$pid"
rc=$?
loaded=$(head -n 1 "$maps")
if [ "$rc" != 0 ] || ! grep -qF '[  PASSED  ] 2 tests' "$log" || grep -qF '[  SKIPPED ]' "$log"; then
    show_log 40
    fail "the installed package does not play a factory call (playback test exited $rc)"
fi
# Read from the host, the mapped path is the file's path inside the root.
[ "$loaded" = "$root$module" ] || [ "$loaded" = "$module" ] ||
    fail "the test played through '${loaded:-no module}', not the installed $module"

# The installed program itself opens its window there: it ends once the window has painted.
in_root env QT_QPA_PLATFORM=offscreen KORVANE_EXIT_WHEN_SHOWN=1 \
    bash -c "cd /tmp && exec timeout 60 $program" >>"$log" 2>&1
rc=$?
[ "$rc" = 0 ] || { show_log; fail "the installed $program did not open its window (exit $rc)"; }

echo "check-package: PASS ($(($(date +%s) - started)) s): $(basename "$deb") installed by apt on a" \
    "fresh Debian 12 plays factory calls to their end through its installed $module; $server"
