#!/bin/bash
# Cross toolchain for Windows x86_64 on Debian 12 (bookworm): MinGW-w64 (posix threads),
# Qt 6.4.2 (qtbase), yaml-cpp 0.7.0 and RtAudio 5.2.0, all from Debian's own source packages,
# installed into $PREFIX and packed as qt6-mingw-6.4.2-x86_64.tar.xz for tools/windows/build.sh,
# which runs this only when no prebuilt copy is at hand. Karvo needs no Qt Serial Port on
# Windows (its port layer talks to the Win32 communications API).
#
#   bash build-toolchain.sh              # every stage: deps fetch qtbase yamlcpp rtaudio pack
#   bash build-toolchain.sh qtbase pack  # only the named stages, in the order given
#
# Environment: WINTC (work folder, default ~/wintc), PREFIX (default $WINTC/prefix),
# JOBS (default 2), APTSRC (a folder with a deb-src list, default $WINTC/aptsrc; created if missing).
# Every compile runs under `nice -n 19`.
set -euo pipefail

WINTC=${WINTC:-$HOME/wintc}
PREFIX=${PREFIX:-$WINTC/prefix}
JOBS=${JOBS:-2}
APTSRC=${APTSRC:-$WINTC/aptsrc}
SRC=$WINTC/src
BUILD=$WINTC/build
TOOLCHAIN=${TOOLCHAIN:-$(cd "$(dirname "$0")" && pwd)/mingw-toolchain.cmake}   # kept beside this script
HOST_QT=/usr
HOST_QT_CMAKE=/usr/lib/x86_64-linux-gnu/cmake
TARBALL=$WINTC/qt6-mingw-6.4.2-x86_64.tar.xz

mkdir -p "$SRC" "$BUILD" "$PREFIX"
stamp() { echo "=== $(date -u +%H:%M:%S) $*"; }
timed() { local t0=$SECONDS; "$@"; echo "=== stage '$1' took $((SECONDS - t0)) s"; }

# ---------------------------------------------------------------------------
stage_deps() {
    stamp "install the cross compiler, Wine and the host Qt tools"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q \
        g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 wine \
        qt6-base-dev qt6-base-dev-tools qt6-translations-l10n \
        cmake ninja-build dpkg-dev perl python3 xz-utils
}

# ---------------------------------------------------------------------------
aptsrc() {
    # apt-get source without touching the system's apt configuration.
    if [ ! -f "$APTSRC/src.sources" ]; then
        mkdir -p "$APTSRC/lists/partial"
        # The same archive the system installs from, as source lists (its first deb entry).
        local uri
        uri=$(grep -h -m1 -E '^URIs:' /etc/apt/sources.list.d/debian.sources 2>/dev/null | awk '{print $2}')
        [ -n "$uri" ] || uri=$(grep -h -m1 -E '^deb ' /etc/apt/sources.list 2>/dev/null | awk '{print $2}')
        [ -n "$uri" ] || { echo "no Debian archive found in the apt sources" >&2; return 1; }
        printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            "$uri" > "$APTSRC/src.sources"
        apt-get -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$APTSRC" \
                -o Dir::State::Lists="$APTSRC/lists" update
    fi
    apt-get -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$APTSRC" \
            -o Dir::State::Lists="$APTSRC/lists" "$@"
}

fetch_one() { # $1 source package, $2 version, $3 unpack dir; fails if the archive lacks a file
    local pkg=$1 ver=$2 dir=$3
    cd "$SRC"
    if [ ! -f "${pkg}_${ver}.dsc" ] || ! ls "${pkg}_${ver%-*}".orig.tar.* >/dev/null 2>&1; then
        # a copy already downloaded by hand (e.g. $APTSRC/dl) is used when present
        cp -n "$APTSRC"/dl/"${pkg}_"* . 2>/dev/null || true
    fi
    if [ ! -f "${pkg}_${ver}.dsc" ] || ! ls "${pkg}_${ver%-*}".orig.tar.* >/dev/null 2>&1; then
        aptsrc source --download-only "$pkg=$ver" || return 1
    fi
    rm -rf "$dir"
    dpkg-source -x "${pkg}_${ver}.dsc" "$dir"   # verifies checksums, applies Debian's patches
}

MISSING=()
stage_fetch() {
    stamp "fetch and unpack Debian's source packages"
    fetch_one qt6-base       6.4.2+dfsg-10 qt6-base
    fetch_one yaml-cpp       0.7.0+dfsg-8  yaml-cpp
    fetch_one rtaudio        5.2.0~ds1-2   rtaudio
}

# ---------------------------------------------------------------------------
stage_qtbase() {
    stamp "configure qtbase"
    rm -rf "$BUILD/qtbase"
    # FEATURE_tabletevent=OFF: the windows plugin's tablet code needs src/3rdparty/wintab,
    #   which the +dfsg tarball drops.
    # FEATURE_sql=OFF: src/3rdparty/sqlite is dropped too (and SQL is not needed).
    # FEATURE_androiddeployqt=OFF: Debian's cross.patch enables it for cross builds.
    # FEATURE_system_*=OFF: use the bundled zlib/png/jpeg/freetype/harfbuzz/pcre2/... (the
    #   MinGW sysroot has only zlib; the rest must not come from the Linux host).
    # freetype (bundled) is required for the offscreen platform plugin.
    # INPUT_opengl=no (= configure -no-opengl): FEATURE_opengl=OFF alone leaves opengl_dynamic/
    #   dynamicgl ON and the windows plugin (qwindowswindow.cpp) then fails to compile.
    # FEATURE_direct2d1_1=OFF skips the direct2d platform plugin; FEATURE_direct2d itself must stay
    #   ON: with it OFF, Gui leaves out qwindowsfontenginedirectwrite.cpp while directwrite stays
    #   ON, and Qt6PrintSupport.dll fails to link (QWindowsFontEngineDirectWrite::createHFONT).
    nice -n 19 cmake -S "$SRC/qt6-base" -B "$BUILD/qtbase" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
        -DWINTC_PREFIX="$PREFIX" \
        -DQT_HOST_PATH="$HOST_QT" -DQT_HOST_PATH_CMAKE_DIR="$HOST_QT_CMAKE" \
        -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DQT_BUILD_MANUAL_TESTS=OFF \
        -DFEATURE_pkg_config=OFF \
        -DINPUT_opengl=no -DFEATURE_opengl_dynamic=OFF -DFEATURE_dynamicgl=OFF \
        -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_vulkan=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_direct2d1_1=OFF -DFEATURE_tabletevent=OFF -DFEATURE_androiddeployqt=OFF \
        -DFEATURE_zstd=OFF -DFEATURE_openssl=OFF -DFEATURE_openssl_runtime=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
        -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF \
        -DFEATURE_system_libb2=OFF \
        -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON \
        2>&1 | tee "$WINTC/log-qtbase-configure.txt"
    stamp "build qtbase"
    nice -n 19 cmake --build "$BUILD/qtbase" --parallel "$JOBS" > "$WINTC/log-qtbase-build.txt" 2>&1 || { grep -A40 FAILED "$WINTC/log-qtbase-build.txt" | head -n 120; exit 1; }
    stamp "install qtbase"
    cmake --install "$BUILD/qtbase" > "$WINTC/log-qtbase-install.txt"
    # Qt's own translations: platform-independent, taken from Debian's qt6-translations-l10n
    # (tools/windows/build.sh adds them to a prefix that lacks them).
    mkdir -p "$PREFIX/translations"
    cp -f /usr/share/qt6/translations/qtbase_{fr,de,es,it}.qm "$PREFIX/translations/" || true
    # The MinGW runtime DLLs go into bin/ too, so the prefix is self-contained for deployment.
    cp -f /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libstdc++-6.dll \
          /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libgcc_s_seh-1.dll \
          /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$PREFIX/bin/"
}

# ---------------------------------------------------------------------------
stage_yamlcpp() {
    stamp "configure, build and install yaml-cpp"
    rm -rf "$BUILD/yaml-cpp"
    nice -n 19 cmake -S "$SRC/yaml-cpp" -B "$BUILD/yaml-cpp" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DWINTC_PREFIX="$PREFIX" \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release \
        -DYAML_BUILD_SHARED_LIBS=ON -DBUILD_SHARED_LIBS=ON \
        -DYAML_CPP_BUILD_TESTS=OFF -DYAML_CPP_BUILD_TOOLS=OFF
    nice -n 19 cmake --build "$BUILD/yaml-cpp" --parallel "$JOBS"
    cmake --install "$BUILD/yaml-cpp"
}

# ---------------------------------------------------------------------------
# RtAudio: sound output and input. WASAPI and DirectSound; under Wine 8 only DirectSound opens
# a stream (WASAPI lists the devices but cannot initialise its render client).
stage_rtaudio() {
    stamp "configure, build and install RtAudio"
    rm -rf "$BUILD/rtaudio"
    nice -n 19 cmake -S "$SRC/rtaudio" -B "$BUILD/rtaudio" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DWINTC_PREFIX="$PREFIX" \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release \
        -DRTAUDIO_API_WASAPI=ON -DRTAUDIO_API_DS=ON -DRTAUDIO_API_ASIO=OFF \
        -DRTAUDIO_API_PULSE=OFF -DRTAUDIO_API_JACK=OFF -DRTAUDIO_API_ALSA=OFF \
        -DRTAUDIO_BUILD_TESTING=OFF -DBUILD_TESTING=OFF
    nice -n 19 cmake --build "$BUILD/rtaudio" --parallel "$JOBS"
    cmake --install "$BUILD/rtaudio"
    x86_64-w64-mingw32-strip --strip-unneeded "$PREFIX/bin/librtaudio.dll"
}

# ---------------------------------------------------------------------------
stage_pack() {
    stamp "pack $PREFIX"
    cp -f "$TOOLCHAIN" "$PREFIX/mingw-toolchain.cmake"
    rm -f "$TARBALL"
    tar -C "$(dirname "$PREFIX")" -cf - "$(basename "$PREFIX")" | nice -n 19 xz -9 -T2 > "$TARBALL"
    ls -l "$TARBALL"; du -sh "$PREFIX"
}

stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(deps fetch qtbase yamlcpp rtaudio pack)
for s in "${stages[@]}"; do timed "stage_$s"; done
if [ ${#MISSING[@]} -gt 0 ]; then
    echo "!!! INCOMPLETE toolchain, missing: ${MISSING[*]}" >&2
    exit 2
fi
