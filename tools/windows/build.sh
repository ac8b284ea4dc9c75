#!/usr/bin/env bash
# Karvo for Windows, built on Debian: cross-compiles Karvo with MinGW-w64 into
# build-windows/, runs its test suite and the device end-to-end checks under Wine, makes
# the NSIS installer and a portable zip, and checks the installer in a fresh Wine prefix.
#
#   bash tools/windows/build.sh            # every stage
#   bash tools/windows/build.sh build test # only the named stages, in the order given
#
# Stages: deps toolchain build test e2e package check. The Qt/yaml-cpp/RtAudio cross prefix is
# taken, in this order, from $KARVO_WIN_TOOLCHAIN (the .tar.xz or an unpacked prefix),
# ../shared/toolchains/ beside the clone (each tarball checked against its .sha256), else
# built by tools/windows/build-toolchain.sh (about 40 minutes).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
out="$repo/build-windows"
tarball_name=qt6-mingw-6.4.2-x86_64.tar.xz
tc="$out/toolchain/qt6-mingw-6.4.2-x86_64"
# A prefix unpacked before RtAudio joined it lacks this header and is unpacked again.
tc_marker=include/rtaudio/RtAudio.h
# An unpacked prefix named by KARVO_WIN_TOOLCHAIN is used where it is.
if [ -d "${KARVO_WIN_TOOLCHAIN:-}" ]; then tc="$(cd "$KARVO_WIN_TOOLCHAIN" && pwd)"; fi
version="$(sed -n 's/^project(Karvo VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")"
setup="$out/Karvo-$version-win64-setup.exe"
portable="$out/Karvo-$version-win64-portable.zip"
stage="$out/stage/Karvo-$version"

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="$out/wine"
# Qt's variables reach a Windows program under Wine only spelled WINEQT_...
export WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu'
export WINEQT_FORCE_STDERR_LOGGING=1

log() { echo "=== $(date -u +%H:%M:%S) $*"; }
fail() { echo "build.sh: $*" >&2; exit 1; }
timed() { local t0=$SECONDS; "stage_$1"; log "stage $1 took $((SECONDS - t0)) s"; }
winpath() { echo "Z:${1//\//\\}"; }

# Wine and the pseudo-terminal helpers: stopped however the script ends, Wine first (it
# reports terminals that close under it).
pids=()
cleanup() {
    if [ -d "${WINEPREFIX:-/nonexistent}" ]; then wineserver -k 2>/dev/null || true; fi
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
}
trap cleanup EXIT

# ---------------------------------------------------------------------------
stage_deps() {
    bash "$repo/tools/install-deps.sh"
    local packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
                    wine64 wine nsis socat xz-utils ccache)
    local missing=()
    for p in "${packages[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq || true
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# ---------------------------------------------------------------------------
unpack() { # $1 tarball; checked against its .sha256 when one is beside it
    local file=$1 sum
    if [ -f "$file.sha256" ]; then
        sum="$(sha256sum "$file" | cut -d' ' -f1)"
        [ "$sum" = "$(cut -d' ' -f1 "$file.sha256")" ] || fail "$file does not match its sha256"
    fi
    if [ -f "$tc/.unpacked" ] && [ -f "$tc/$tc_marker" ] \
        && [ "$(cat "$tc/.unpacked")" = "$(sha256sum "$file" | cut -d' ' -f1)" ]; then
        return 0
    fi
    log "unpack $file"
    rm -rf "$out/toolchain"
    mkdir -p "$out/toolchain"
    tar -xJf "$file" -C "$out/toolchain"
    [ -f "$tc/$tc_marker" ] || fail "$file holds no RtAudio ($tc_marker)"
    add_qt_translations "$tc/translations"
    sha256sum "$file" | cut -d' ' -f1 > "$tc/.unpacked"
}

# Qt's own texts (standard buttons, print dialog) in Karvo's four other languages: the same
# platform-independent files as Debian's qt6-translations-l10n of the same Qt version.
add_qt_translations() {
    mkdir -p "$1"
    local code
    for code in fr de es it; do
        cp -f "/usr/share/qt6/translations/qtbase_$code.qm" "$1/" \
            || fail "qtbase_$code.qm is missing (qt6-translations-l10n)"
    done
}

stage_toolchain() {
    if [ -n "${KARVO_WIN_TOOLCHAIN:-}" ]; then
        [ -d "$KARVO_WIN_TOOLCHAIN" ] && return 0
        unpack "$KARVO_WIN_TOOLCHAIN"
        return 0
    fi
    if [ -f "$repo/../shared/toolchains/$tarball_name" ]; then
        unpack "$repo/../shared/toolchains/$tarball_name"
        return 0
    fi
    if [ -f "$out/toolchain-build/$tarball_name" ]; then unpack "$out/toolchain-build/$tarball_name"; return 0; fi
    log "no prebuilt toolchain: building it from Debian's source packages"
    WINTC="$out/toolchain-build" PREFIX="$out/toolchain-build/qt6-mingw-6.4.2-x86_64" \
        bash "$here/build-toolchain.sh" deps fetch qtbase yamlcpp rtaudio pack
    unpack "$out/toolchain-build/$tarball_name"
}

# ---------------------------------------------------------------------------
stage_build() {
    local launcher=()
    if command -v ccache >/dev/null; then
        export CCACHE_DIR="${CCACHE_DIR:-$HOME/.ccache}" CCACHE_BASEDIR="${CCACHE_BASEDIR:-$repo}"
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    # Release: what ships; the installer carries no debugging information.
    cmake -S "$repo" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake" -DWINTC_PREFIX="$tc" \
        "${launcher[@]}" > "$out/configure.log" || { cat "$out/configure.log"; fail "configure"; }
    nice -n 5 cmake --build "$out" -j2
}

# ---------------------------------------------------------------------------
wine_prefix() { # a private, initialised Wine prefix
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "create the Wine prefix $WINEPREFIX"
        wineboot -i > /dev/null 2>&1 || true
        wineserver -w
    fi
}

# The temporary folders of the Windows programs on the Z: drive (Wine's view of /), so
# that the absolute source paths compiled into the tests resolve from a test's own
# temporary working folder as they do from the build folder.
temp_on_z() {
    mkdir -p "$out/tmp"
    wine reg add 'HKCU\Environment' /v TEMP /d "$(winpath "$out/tmp")" /f > /dev/null
    wine reg add 'HKCU\Environment' /v TMP /d "$(winpath "$out/tmp")" /f > /dev/null
}

# Two joined pseudo-terminals (socat) as Wine COM ports $1 and $2. Wine's mount manager
# makes the ports named in HKLM\Software\Wine\Ports (the dosdevices links and the
# HARDWARE\DEVICEMAP\SERIALCOMM entries Windows programs list) when Wine starts.
join_com_ports() {
    local a=$1 b=$2 dir="$out/pty"
    mkdir -p "$dir"
    rm -f "$dir/$a" "$dir/$b"
    socat "pty,raw,echo=0,link=$dir/$a" "pty,raw,echo=0,link=$dir/$b" &
    pids+=($!)
    for _ in $(seq 50); do [ -e "$dir/$a" ] && [ -e "$dir/$b" ] && break; sleep 0.1; done
    [ -e "$dir/$a" ] || fail "socat made no pseudo-terminals"
    wine reg add 'HKLM\Software\Wine\Ports' /v "${a^^}" /d "$(readlink -f "$dir/$a")" /f > /dev/null
    wine reg add 'HKLM\Software\Wine\Ports' /v "${b^^}" /d "$(readlink -f "$dir/$b")" /f > /dev/null
    wineserver -k || true
    wineserver -w
    ln -sfn "$(readlink -f "$dir/$a")" "$WINEPREFIX/dosdevices/$a"
    ln -sfn "$(readlink -f "$dir/$b")" "$WINEPREFIX/dosdevices/$b"
}

stage_test() {
    wine_prefix
    temp_on_z
    join_com_ports com5 com6
    # The Qt and yaml-cpp DLLs of the prefix, found through WINEPATH.
    export WINEPATH="$(winpath "$tc/bin")"
    export KARVO_TEST_COM_A=COM5 KARVO_TEST_COM_B=COM6
    ctest --test-dir "$out" --output-on-failure -j2 --timeout 600
    grep -a "^Totals:" "$out/Testing/Temporary/LastTest.log" | awk '{p += $2; f += $4; s += $6}
        END {print "=== under Wine: " NR " test programs, " p " checks passed, " f " failed, " s " skipped"}'
    wineserver -k || true
}

# ---------------------------------------------------------------------------
# The Linux virtual unit for the device end-to-end checks.
linux_unit() {
    local unit="$repo/build/bin/karvo-unit"
    if [ ! -x "$unit" ]; then
        log "build the Linux karvo-unit in build/" >&2
        [ -f "$repo/build/CMakeCache.txt" ] || cmake -S "$repo" -B "$repo/build" -G Ninja >&2
        nice -n 5 cmake --build "$repo/build" -j2 --target karvo-unit karvo-cli >&2
    fi
    echo "$unit"
}

stage_e2e() {
    wine_prefix
    temp_on_z # the main window's test finds the default setup by its Linux path
    WINEPATH="$(winpath "$tc/bin")" bash "$here/device-e2e.sh" "$(linux_unit)" \
        "$out/bin/karvo-cli.exe" "$repo/res/karvo.def" "$out/e2e" \
        "$out/tests/bin/app_device_wine.exe"
    wineserver -k || true
}

# ---------------------------------------------------------------------------
# The DLLs a Windows program or library imports, recursively: those found in the cross
# prefix or the MinGW runtime; the system's own DLLs are left to Windows.
dll_dirs=()
imports() {
    x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'
}
find_dll() {
    local d
    for d in "${dll_dirs[@]}"; do
        if [ -f "$d/$1" ]; then echo "$d/$1"; return 0; fi
    done
    return 1
}
deploy_dlls() { # $1 folder; the .exe and .dll files in it (and its plugin folders) are scanned
    local folder=$1 queue=() seen=" " file name dll
    mapfile -t queue < <(find "$folder" -name '*.exe' -o -name '*.dll')
    while [ ${#queue[@]} -gt 0 ]; do
        file=${queue[0]}
        queue=("${queue[@]:1}")
        while read -r name; do
            name=${name%$'\r'}
            [[ "$seen" == *" ${name,,} "* ]] && continue
            seen+="${name,,} "
            if dll="$(find_dll "$name")"; then
                cp -f "$dll" "$folder/"
                queue+=("$folder/$name")
            fi
        done < <(imports "$file")
    done
}

stage_package() {
    local gccdir
    gccdir="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
    dll_dirs=("$tc/bin" "$gccdir" /usr/x86_64-w64-mingw32/lib)
    log "stage the files in $stage"
    rm -rf "$out/stage"
    cmake --install "$out" --prefix "$stage" > /dev/null
    # The plugins Qt loads by name: the window system (and the off-screen one that
    # karvo-cli's PDF report draws on without a display) and the native style; qt.conf makes
    # the programs' folder Qt's prefix, where Qt finds them and its translations.
    mkdir -p "$stage/plugins/platforms" "$stage/plugins/styles"
    cp "$tc/plugins/platforms/qwindows.dll" "$tc/plugins/platforms/qoffscreen.dll" \
        "$stage/plugins/platforms/"
    cp "$tc/plugins/styles/qwindowsvistastyle.dll" "$stage/plugins/styles/"
    add_qt_translations "$stage/translations"
    # The sound library: karvo.exe plays and records tones through it (DirectSound).
    cp "$tc/bin/librtaudio.dll" "$stage/"
    printf '[Paths]\r\nPrefix = .\r\n' > "$stage/qt.conf"
    deploy_dlls "$stage"
    x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.exe "$stage"/*.dll "$stage"/plugins/*/*.dll
    # The installer's file lists: what is installed, and what the uninstaller removes.
    (cd "$stage" && find . -type d | sort | sed 's|^\./\?||') > "$out/stage/dirs.txt"
    (cd "$stage" && find . -type f | sort | sed 's|^\./||') > "$out/stage/files.txt"
    {
        while read -r d; do
            echo "SetOutPath \"\$INSTDIR${d:+\\${d//\//\\}}\""
            (cd "$stage" && find "./$d" -maxdepth 1 -type f | sort) | while read -r f; do
                echo "File \"$stage/${f#./}\""
            done
        done < "$out/stage/dirs.txt"
    } > "$out/stage/install-files.nsh"
    {
        while read -r f; do echo "Delete \"\$INSTDIR\\${f//\//\\}\""; done < "$out/stage/files.txt"
        sort -r "$out/stage/dirs.txt" | while read -r d; do
            [ -z "$d" ] || echo "RMDir \"\$INSTDIR\\${d//\//\\}\""
        done
    } > "$out/stage/uninstall-files.nsh"
    log "make the installer $setup"
    makensis -V2 -DVERSION="$version" -DLISTS="$out/stage" -DOUTFILE="$setup" \
        "$here/karvo.nsi"
    log "make the portable zip $portable"
    rm -f "$portable"
    (cd "$out/stage" && cmake -E tar cf "$portable" --format=zip "Karvo-$version")
    ls -l "$setup" "$portable"
}

# ---------------------------------------------------------------------------
# Installs silently into a fresh Wine prefix and runs the installed programs (without
# WINEPATH: the installation must carry every DLL it needs).
stage_check() {
    local check="$out/check" linux_show
    rm -rf "$check"
    mkdir -p "$check"
    export WINEPREFIX="$check/wine"
    unset WINEPATH
    wine_prefix
    log "install silently into C:\\Karvo"
    wine "$setup" /S '/D=C:\Karvo' || fail "the installer failed"
    wineserver -w
    local dir="$WINEPREFIX/drive_c/Karvo"
    [ -f "$dir/karvo.exe" ] && [ -f "$dir/karvo-cli.exe" ] && [ -f "$dir/karvo.def" ] \
        || fail "the installation in $dir is incomplete"
    for f in {eng,fra,ger,spa,ita}/Karvo.{hlp,cnt}; do
        [ -f "$dir/$f" ] || fail "$f is not installed"
    done
    [ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Karvo/Karvo.lnk" ] \
        || fail "no Start menu entry"

    local v
    v="$(wine 'C:\Karvo\karvo-cli.exe' --version | tr -d '\r')"
    [[ "$v" == "karvo-cli (Karvo) $version"* ]] || fail "karvo-cli.exe --version printed '$v'"
    wine 'C:\Karvo\karvo-cli.exe' show 'C:\Karvo\karvo.def' | tr -d '\r' > "$check/show-windows.txt" \
        || fail "karvo-cli.exe show failed"
    linux_show="$(dirname "$(linux_unit)")/karvo-cli"
    "$linux_show" show "$repo/res/karvo.def" > "$check/show-linux.txt"
    diff -u "$check/show-linux.txt" "$check/show-windows.txt" \
        || fail "karvo-cli.exe show differs from the Linux karvo-cli show"
    # karvo-cli needs no widgets (only the PDF report uses Qt Gui) and no sound.
    if imports "$dir/karvo-cli.exe" | grep -qiE '^(Qt6(Widgets|PrintSupport)|librtaudio)\.dll$'; then
        fail "karvo-cli.exe imports the Qt widgets or the sound library"
    fi
    [ -f "$dir/librtaudio.dll" ] || fail "librtaudio.dll is not installed"
    wine 'C:\Karvo\karvo-cli.exe' report 'C:\Karvo\karvo.def' | tr -d '\r' > "$check/report-windows.txt" \
        || fail "karvo-cli.exe report failed"
    "$linux_show" report "$repo/res/karvo.def" | diff -u - "$check/report-windows.txt" \
        || fail "karvo-cli.exe report differs from the Linux karvo-cli report"
    wine 'C:\Karvo\karvo-cli.exe' report 'C:\Karvo\karvo.def' --pdf 'C:\report.pdf' \
        || fail "karvo-cli.exe report --pdf failed"
    [ "$(grep -aEc '/Type /Page\s*$' "$WINEPREFIX/drive_c/report.pdf" 2>/dev/null)" = 4 ] \
        || fail "karvo-cli.exe report --pdf wrote no four-page PDF"

    # The main window starts on the installed windows platform (on an Xvfb display), finds
    # the installed karvo.def and shows no message box.
    printf '[language]\r\nlanguage=U.S English\r\n' > "$check/karvo.ini"
    local status=0
    # Wine started without a display so far: a fresh wineserver takes Xvfb's.
    wineserver -k || true
    (cd "$check" && KARVO_PROFILE="$(winpath "$check/karvo.ini")" KARVO_CHECK_START=1 \
        WINEQT_QPA_PLATFORM=windows timeout 180 xvfb-run -a \
        sh -c "wine 'C:\\Karvo\\karvo.exe'; status=\$?; wineserver -k; exit \$status" \
        2> "$check/karvo.err") || status=$?
    [ "$status" -eq 0 ] || fail "karvo.exe started with status $status: $(cat "$check/karvo.err")"

    # The installed karvo-cli.exe reads the virtual unit through a Wine COM port.
    bash "$here/device-e2e.sh" --read-only "$(linux_unit)" 'C:\Karvo\karvo-cli.exe' \
        "$repo/res/karvo.def" "$check/e2e"

    log "uninstall silently; the user's files stay"
    local profile="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Karvo/karvo.ini"
    mkdir -p "$(dirname "$profile")"
    echo "[language]" > "$profile"
    echo "S9030000FC" > "$dir/my-setup.s19" # a setup the user saved in the program's folder
    wine 'C:\Karvo\uninstall.exe' /S '_?=C:\Karvo' || fail "the uninstaller failed"
    wineserver -w
    [ ! -f "$dir/karvo.exe" ] && [ ! -d "$dir/eng" ] || fail "the uninstaller left Karvo's files"
    [ -f "$profile" ] && [ -f "$dir/my-setup.s19" ] || fail "the uninstaller removed the user's files"
    wineserver -k || true
    log "the installer installs, runs and uninstalls"
}

# ---------------------------------------------------------------------------
# The main window under Wine, in a Wine desktop on Xvfb, as docs/main-window-wine.png
# (not among the default stages): bash tools/windows/build.sh shot
stage_shot() {
    export WINEPREFIX="$out/shot/wine" WINEQT_QPA_PLATFORM=windows
    rm -rf "$out/shot"
    wine_prefix
    local profile="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Karvo/karvo.ini"
    mkdir -p "$(dirname "$profile")"
    printf '[language]\r\nlanguage=U.S English\r\n' > "$profile"
    wineserver -k || true
    cat > "$out/shot/shot.sh" << SHOT
wine explorer /desktop=Karvo,960x720 '$(winpath "$stage/karvo.exe")' &
sleep 25
import -window root "$out/shot/desktop.png"
wineserver -k
SHOT
    timeout 120 xvfb-run -a -s "-screen 0 960x720x24" bash "$out/shot/shot.sh"
    # The window sits in the middle of the Wine desktop.
    convert "$out/shot/desktop.png" -crop 650x428+155+136 +repage "$repo/docs/main-window-wine.png"
}

stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(deps toolchain build test e2e package check)
mkdir -p "$out"
t_all=$SECONDS
for s in "${stages[@]}"; do
    # Every stage after these two needs the unpacked prefix.
    case "$s" in deps | toolchain) ;; *) { [ -f "$tc/.unpacked" ] && [ -f "$tc/$tc_marker" ]; } || [ -n "${KARVO_WIN_TOOLCHAIN:-}" ] || stage_toolchain ;; esac
    timed "$s"
done
log "build.sh took $((SECONDS - t_all)) s"
