#!/usr/bin/env bash
# Builds for 64-bit Windows, with MinGW-w64, what Debian has for Linux only, each from the Debian
# source package of the version installed here, so both systems build on the same code:
#   taglib      TagLib, as a static library;
#   qt          Qt's base, shared: Core, Gui, Widgets, Network and Test, the windows and offscreen
#               platform plugins and the windowsvista style;
#   multimedia  the same Qt with Qt Multimedia (Media Foundation backend) and Qt Shader Tools,
#               which Qt Multimedia builds with;
#   convert     the converter's libraries, static, in one prefix: libsndfile with its codecs
#               (libogg, libvorbis, FLAC, Opus, mpg123 and LAME), libsamplerate and libebur128.
# Each is built once, into a cache outside the checkout:
#   ${KORVANE_WINDOWS_CACHE:-${XDG_CACHE_HOME:-~/.cache}/korvane/windows}/<package>-<version>-<recipe>/
# <recipe> is a hash of how it is built (the build steps below, the compiler's version, what it is
# built upon; for convert, whose <package> is libsndfile, the other libraries' versions), so a
# new version or a new recipe builds anew and a second run finds it at once. A build runs in a
# temporary folder beside the cache and moves into place only when it is complete.
# Prints the prefix of each product asked for, one a line, in the order asked; the progress goes
# to stderr and each build's output to <cache>/logs/.
#
# Should the mirror lack a file of a source package, what did arrive is unpacked by hand; a
# missing Debian part leaves the upstream source as it is, with a warning in the log.
#
# Usage: scripts/windows-deps.sh [taglib|qt|multimedia|convert]...   (none: all four)
#   KORVANE_WINDOWS_KEEP=1 keeps the build folder of a failed build for a look.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
toolchain=$here/cmake/mingw-w64.cmake
cache=${KORVANE_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/korvane/windows}
jobs=${KORVANE_BUILD_JOBS:-$(nproc)}

say() { echo "windows-deps: $*" >&2; }

products=("$@")
[ ${#products[@]} -gt 0 ] || products=(taglib qt multimedia convert)
want_qt=0 want_multimedia=0 want_convert=0
for p in "${products[@]}"; do
    case $p in
        taglib) ;;
        qt) want_qt=1 ;;
        multimedia) want_qt=1 want_multimedia=1 ;;
        convert) want_convert=1 ;;
        *) say "unknown product '$p' (taglib, qt, multimedia or convert)"; exit 2 ;;
    esac
done

# The host's -dev packages fix the versions to build; the host Qt also lends its tools (moc, rcc,
# uic, qsb) to the cross build, which must be of the same version.
packages=(g++-mingw-w64-x86-64-posix cmake ninja-build pkg-config dpkg-dev xz-utils libtag1-dev
          libutfcpp-dev)
[ $want_qt = 0 ] || packages+=(qt6-base-dev qt6-base-dev-tools libwine-dev)
[ $want_multimedia = 0 ] || packages+=(qt6-multimedia-dev qt6-shadertools-dev qt6-shader-baker)
# The converter's libraries, by source package and the -dev package that fixes its version, in
# the order they build: each finds those before it. LAME's pkg-config file comes from a Debian
# patch to its autoconf input, hence autoconf, automake and libtool.
convert_libraries=(libogg:libogg-dev libvorbis:libvorbis-dev flac:libflac-dev opus:libopus-dev
                   mpg123:libmpg123-dev lame:libmp3lame-dev libsamplerate:libsamplerate0-dev
                   libebur128:libebur128-dev libsndfile:libsndfile1-dev)
if [ $want_convert = 1 ]; then
    packages+=(autoconf automake libtool make "${convert_libraries[@]#*:}")
fi
"$here/scripts/install-missing.sh" "${packages[@]}"

source_version() { dpkg-query -W -f='${source:Version}' "$1"; }
compiler=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev)
mkdir -p "$cache/logs"

work=
cleanup() { if [ -n "$work" ]; then rm -rf "$work"; fi; }
trap cleanup EXIT

# Downloads a source package with its Debian patches applied into $2, from a deb-src list of our
# own: the system's lists stay as they are.
apt_opts=()
fetch() { # package=version folder
    if [ ${#apt_opts[@]} -eq 0 ]; then
        local lists=$work/apt/lists list
        mkdir -p "$lists/partial"
        # apt reads a list by its name: deb822 stanzas from *.sources, one-line entries from *.list.
        if [ -f /etc/apt/sources.list.d/debian.sources ]; then
            list=$work/apt/debian-src.sources
            sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$list"
        else
            list=$work/apt/debian-src.list
            sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$list"
        fi
        apt_opts=(-o "Dir::Etc::SourceList=$list")
        apt_opts+=(-o Dir::Etc::SourceParts=/dev/null -o "Dir::State::Lists=$lists"
                   -o APT::Sandbox::User=root)
        apt-get "${apt_opts[@]}" update -qq
    fi
    local download=$work/download-${1%%=*}
    mkdir -p "$download"
    if (cd "$download" && apt-get "${apt_opts[@]}" source --download-only -qq "$1"); then
        dpkg-source -x "$download"/*.dsc "$2"
    else
        unpack_by_hand "$download" "$2"
    fi
}

# A mirror may lack a file that a .dsc lists (seen: an upstream signature, a Debian part), which
# fails the download and dpkg-source. What did arrive apt has checked against the .dsc: unpacked
# as dpkg-source would, the upstream source, then Debian's part with its patches in order.
unpack_by_hand() { # download-folder folder
    local file upstream='' debian='' patch
    for file in "$1"/*; do
        case $file in
            *.orig.tar.*.asc) ;;
            *.orig.tar.*) upstream=$file ;;
            *.debian.tar.*) debian=$file ;;
        esac
    done
    [ -n "$upstream" ] || { echo "no upstream source downloaded for $1"; return 1; }
    mkdir -p "$2"
    tar -xf "$upstream" -C "$2" --strip-components=1
    if [ -z "$debian" ]; then
        say "warning: $(basename "$upstream"): Debian's part is missing from the mirror;" \
            "building the upstream source as it is"
        return 0
    fi
    tar -xf "$debian" -C "$2"
    if [ -f "$2/debian/patches/series" ]; then
        sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$2/debian/patches/series" |
            while read -r patch options; do
                patch -d "$2" "${options:--p1}" -N <"$2/debian/patches/$patch"
            done
    fi
}

# Runs build_<product> in a temporary folder and moves the finished prefix to its place in the
# cache; the build installs with DESTDIR, so its files already name that place. Sets $prefix.
ensure() { # product package version recipe-input...
    local product=$1 package=$2 version=$3
    shift 3
    local recipe
    # The toolchain's path differs between checkouts; what it does lies in the compiler's version.
    recipe=$({
        declare -f "build_$product"
        printf '%s\n' "${cross[@]//"$toolchain"/}" "${qt_host[@]}" "$compiler" "$@"
    } | sha1sum | cut -c1-8)
    prefix=$cache/$package-$version-$recipe
    [ -d "$prefix" ] && return 0
    # A second run that asks for the same build waits for the first rather than doing it again.
    local lock
    exec {lock}>"$cache/.lock-$package"
    flock "$lock"
    if [ -d "$prefix" ]; then
        exec {lock}>&-
        return 0
    fi
    rm -rf "$cache/.build-$package-"*
    work=$(mktemp -d "$cache/.build-$package-XXXXXX")
    local log=$cache/logs/$package-$version.log start=$SECONDS status
    say "building $package $version for Windows (log: $log)"
    set +e
    (
        set -e
        renice -n 10 -p "$BASHPID" >/dev/null
        "build_$product" "$work" "$prefix"
    ) >"$log" 2>&1
    status=$?
    set -e
    if [ $status -ne 0 ]; then
        tail -n 40 "$log" >&2
        say "building $package $version failed; the whole output is in $log"
        if [ "${KORVANE_WINDOWS_KEEP:-0}" = 1 ]; then
            say "its build folder is kept: $work"
            work=
        fi
        exit 1
    fi
    mv -T "$work/root$prefix" "$prefix"
    rm -rf "$work"
    work=
    exec {lock}>&-
    say "built $package $version in $((SECONDS - start)) s: $(du -sh "$prefix" | cut -f1) in $prefix"
}

cross=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release)
# The Qt tools run on this machine: the host's Qt of the same version lends them.
qt_host=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)

build_taglib() { # work prefix
    fetch "taglib=$taglib_version" "$1/src"
    # Debian's patches have TagLib include UTF8-CPP from its own package, which is headers only.
    cmake -S "$1/src" -B "$1/build" "${cross[@]}" -DCMAKE_INSTALL_PREFIX="$2" \
        -DCMAKE_CXX_FLAGS="-I/usr/include/utf8cpp" \
        -DBUILD_SHARED_LIBS=OFF -DBUILD_BINDINGS=OFF -DWITH_ZLIB=OFF -DBUILD_TESTING=OFF
    cmake --build "$1/build" -j"$jobs"
    DESTDIR=$1/root cmake --install "$1/build"
}

build_qt() { # work prefix
    fetch "qt6-base=$qt_version" "$1/src"
    # Debian's source leaves out the Wintab headers that the Windows platform plugin includes for
    # tablets. Wine's declare the same interface, once two macros of Wine's own are given.
    local wintab=$1/src/src/3rdparty/wintab wine
    wine=$(dirname "$(find /usr/include/wine -name wintab.h -print -quit)")
    mkdir -p "$wintab/wine"
    cp "$wine/wintab.h" "$wine/pktdef.h" "$wintab/wine/"
    cat >"$wintab/wintab.h" <<'EOF'
#pragma once
#include <windows.h>
#define API WINAPI
#ifdef UNICODE
#define DECL_WINELIB_TYPE_AW(type) typedef type##W type;
#else
#define DECL_WINELIB_TYPE_AW(type) typedef type##A type;
#endif
#include "wine/wintab.h"
EOF
    echo '#include "wine/pktdef.h"' >"$wintab/pktdef.h"
    # Only what Korvane uses, and what Qt Multimedia needs (Network; Concurrent, for its Windows
    # plugin). Without OpenGL every switch of it must be off, or the platform plugin still asks
    # for it; Direct2D stays, the font database needs it. Qt's own copies of zlib and the rest, so
    # that no MinGW package installed here decides what the DLLs need beside them.
    cmake -S "$1/src" -B "$1/build" "${cross[@]}" "${qt_host[@]}" -DCMAKE_INSTALL_PREFIX="$2" \
        -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DQT_BUILD_BENCHMARKS=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF \
        -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_opengl_dynamic=OFF \
        -DFEATURE_dynamicgl=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
        -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF \
        -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF \
        -DFEATURE_system_libb2=OFF -DFEATURE_system_textmarkdownreader=OFF -DFEATURE_zstd=OFF
    cmake --build "$1/build" -j"$jobs"
    DESTDIR=$1/root cmake --install "$1/build"
    # Qt's toolchain file (qt-cmake's) loads the one Qt was built with: a copy in the prefix keeps
    # it working when this checkout moves or goes.
    local copy=$2/lib/cmake/Qt6/mingw-w64.cmake
    cp "$toolchain" "$1/root$copy"
    sed -i "s|$toolchain|$copy|g" "$1/root$2/lib/cmake/Qt6/qt.toolchain.cmake"
}

# Windows finds a header whatever the case of its name, and some of Qt's includes name a header
# otherwise (<Mferror.h> for MinGW's mferror.h, "QUrl.h" for Qt's qurl.h): links by those names,
# in a folder of their own, stand in for them.
case_shim() { # source-folder shim-folder header-folder...
    local source=$1 shim=$2 header folder
    shift 2
    mkdir -p "$shim"
    grep -rhoE '^\s*#\s*include\s*[<"][^>"]+[>"]' --include='*.cpp' --include='*.h' "$source" |
        sed -E 's/.*[<"](.*)[>"]/\1/' | sort -u |
        while read -r header; do
            for folder in "$@"; do
                if [ ! -e "$folder/$header" ] && [ -e "$folder/${header,,}" ]; then
                    mkdir -p "$shim/$(dirname "$header")"
                    ln -sfn "$folder/${header,,}" "$shim/$header"
                    break
                fi
            done
        done
}

build_multimedia() { # work prefix
    # A Qt of its own: the base copied, then the modules installed beside it, as in any Qt.
    local root=$1/root$2
    mkdir -p "$root"
    cp -a "$qt_prefix/." "$root/"
    # The scripts and toolchain files of the copy name the prefix they were installed to.
    { grep -rlIF "$qt_prefix" "$root" || true; } | xargs -r sed -i "s|$qt_prefix|$2|g"
    fetch "qt6-shadertools=$shadertools_version" "$1/shadertools"
    fetch "qt6-multimedia=$multimedia_version" "$1/multimedia"
    case_shim "$1/shadertools" "$1/include" /usr/x86_64-w64-mingw32/include "$root"/include/Qt*
    case_shim "$1/multimedia" "$1/include" /usr/x86_64-w64-mingw32/include "$root"/include/Qt*
    # The prefix path is the folder of the CMake packages, as in Qt's own toolchain file: CMake
    # does not find a prefix that is also a root of the search.
    local module=("${cross[@]}" "${qt_host[@]}" -DKORVANE_WINDOWS_DEPS="$root"
                  -DCMAKE_PREFIX_PATH="$root/lib/cmake" -DCMAKE_INSTALL_PREFIX="$2"
                  -DCMAKE_CXX_FLAGS="-I$1/include" -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
                  -DQT_BUILD_BENCHMARKS=OFF)
    cmake -S "$1/shadertools" -B "$1/build-shadertools" "${module[@]}"
    cmake --build "$1/build-shadertools" -j"$jobs"
    DESTDIR=$1/root cmake --install "$1/build-shadertools"
    # FindWMF asks for the Media Foundation libraries by Windows' spelling (Mf, Mfplat, ...);
    # MinGW names them in lower case, which a Linux file system does not equate.
    local lib=/usr/x86_64-w64-mingw32/lib
    cmake -S "$1/multimedia" -B "$1/build-multimedia" "${module[@]}" \
        -DFEATURE_spatialaudio=OFF -DFEATURE_ffmpeg=OFF -DFEATURE_gstreamer=OFF \
        -DWMF_MF_LIBRARY=$lib/libmf.a -DWMF_MFUUID_LIBRARY=$lib/libmfuuid.a \
        -DWMF_MFPLAT_LIBRARY=$lib/libmfplat.a -DWMF_MFCORE_LIBRARY=$lib/libmfcore.a \
        -DWMF_PROPSYS_LIBRARY=$lib/libpropsys.a
    cmake --build "$1/build-multimedia" -j"$jobs"
    DESTDIR=$1/root cmake --install "$1/build-multimedia"
}

# The converter's libraries, static, into one prefix: libsndfile with every codec Debian's has
# (FLAC, Ogg Vorbis, Opus, MPEG through mpg123 and LAME), libsamplerate and libebur128. Each
# installs into the prefix being filled, where those after it find it: that folder is a root
# of CMake's search in the cross build.
build_convert() { # work prefix
    local root=$1/root$2
    local static=("${cross[@]}" -DKORVANE_WINDOWS_DEPS="$root" -DCMAKE_INSTALL_PREFIX="$2"
                  -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF)
    local autotools=(--host=x86_64-w64-mingw32 --prefix="$2" --disable-shared --enable-static)
    with_cmake() { # package [cmake-argument...]
        local package=$1
        shift
        fetch "$package=${convert_versions[$package]}" "$work/$package"
        cmake -S "$work/$package" -B "$work/build-$package" "${static[@]}" "$@"
        cmake --build "$work/build-$package" -j"$jobs"
        DESTDIR=$work/root cmake --install "$work/build-$package"
    }
    with_autotools() { # package [configure-argument...]
        local package=$1
        shift
        fetch "$package=${convert_versions[$package]}" "$work/$package"
        if [ "$package" = lame ]; then (cd "$work/$package" && autoreconf -fi); fi
        (cd "$work/$package" && ./configure "${autotools[@]}" "$@" && make -j"$jobs" &&
            make install DESTDIR="$work/root")
    }
    with_cmake libogg -DINSTALL_DOCS=OFF
    with_cmake libvorbis
    # MinGW's stack protector and fortified functions need libssp, which Korvane does not link.
    with_cmake flac -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF \
        -DBUILD_DOCS=OFF -DINSTALL_MANPAGES=OFF -DWITH_OGG=ON -DWITH_STACK_PROTECTOR=OFF \
        -DWITH_FORTIFY_SOURCE=OFF
    # Opus's release lacks a file its CMake build includes; its autotools build is Debian's. It
    # fortifies unless a level is given.
    with_autotools opus --disable-doc --disable-extra-programs --disable-stack-protector \
        CPPFLAGS=-D_FORTIFY_SOURCE=0
    # Autotools, as Debian builds it: its pkg-config file names what the library links on
    # Windows (shlwapi), which the CMake port's leaves out. Only the library is wanted.
    with_autotools mpg123 --disable-modules --disable-network
    # Debian's patches add LAME's pkg-config file to configure's input, which is made anew.
    with_autotools lame --disable-frontend
    with_cmake libsamplerate -DLIBSAMPLERATE_EXAMPLES=OFF
    with_cmake libebur128 -DENABLE_TESTS=OFF
    # libsndfile leaves out what it does not find: the check after it fails the build instead.
    # FLAC's header declares its functions as a DLL's unless told the library is static.
    with_cmake libsndfile -DENABLE_EXTERNAL_LIBS=ON -DENABLE_MPEG=ON -DBUILD_PROGRAMS=OFF \
        -DBUILD_EXAMPLES=OFF -DBUILD_REGTEST=OFF -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF \
        -DCMAKE_C_FLAGS=-DFLAC__NO_DLL
    grep -q '^#define HAVE_EXTERNAL_XIPH_LIBS 1' "$work/build-libsndfile/src/config.h"
    grep -q '^#define HAVE_MPEG 1' "$work/build-libsndfile/src/config.h"
    # Libraries and headers only: no programs (mpg123's), manuals or libtool archives.
    # shellcheck disable=SC2115 # $root is never empty: it holds the work folder
    rm -rf "$root/bin" "$root/share" "$root"/lib/*.la
}

taglib_version=$(source_version libtag1-dev)
declare -A prefixes
for p in "${products[@]}"; do
    case $p in
        taglib)
            ensure taglib taglib "$taglib_version"
            prefixes[taglib]=$prefix ;;
        qt | multimedia)
            qt_version=$(source_version qt6-base-dev)
            ensure qt qt6-base "$qt_version" "$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)"
            qt_prefix=$prefix
            prefixes[qt]=$prefix ;;&
        multimedia)
            shadertools_version=$(source_version qt6-shadertools-dev)
            multimedia_version=$(source_version qt6-multimedia-dev)
            ensure multimedia qt6-multimedia "$multimedia_version" "$qt_prefix" \
                "$shadertools_version"
            prefixes[multimedia]=$prefix ;;
        convert)
            declare -A convert_versions
            sources=()
            for library in "${convert_libraries[@]}"; do
                convert_versions[${library%%:*}]=$(source_version "${library#*:}")
                sources+=("${library%%:*}=${convert_versions[${library%%:*}]}")
            done
            ensure convert libsndfile "${convert_versions[libsndfile]}" "${sources[@]}"
            prefixes[convert]=$prefix ;;
    esac
done
for p in "${products[@]}"; do
    echo "${prefixes[$p]}"
done
