#!/usr/bin/env bash
# Installs a build into a staging prefix and checks the installation as a user meets it:
# only the three programs in bin/, --help and --version without a display, karvo-cli and
# karvo started from an empty working folder finding the installed karvo.def, the desktop
# entry, the icons and the manual pages; and the Debian package built by cpack.
#   tools/check-install.sh [BUILD_DIR]
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
prefix="$stage/usr"
fail() { echo "check-install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$stage/install.log"
bin="$prefix/bin"
data="$prefix/share/karvo"

[ "$(ls "$bin" | tr '\n' ' ')" = "karvo karvo-cli karvo-unit " ] \
    || fail "bin/ holds $(ls "$bin" | tr '\n' ' ')instead of the three programs"
for f in karvo.def {eng,fra,ger,spa,ita}/Karvo.{hlp,cnt}; do
    [ -f "$data/$f" ] || fail "share/karvo/$f is missing"
done

# --help and --version print to stdout and exit 0, the window program without a display.
for program in karvo karvo-cli karvo-unit; do
    out="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$bin/$program" --version)" \
        || fail "$program --version failed"
    [[ "$out" == "$program (Karvo) "* ]] || fail "$program --version printed '$out'"
    # Read whole before it is searched: grep -q stops at the first match, and a long help
    # text would then meet a closed pipe, which pipefail counts as a failure.
    out="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$bin/$program" --help)" \
        || fail "$program --help failed"
    grep -qi "^usage: $program" <<< "$out" || fail "$program --help printed no usage"
done

# From an empty working folder, with a profile of its own (language set, so no first-start
# question), as when started from the application menu.
work="$stage/work"
mkdir "$work"
printf '[language]\nlanguage=U.S English\n' > "$stage/karvo.ini"
export KARVO_PROFILE="$stage/karvo.ini" KARVO_BACKUP_DIR="$stage/backups"
cd "$work"
"$bin/karvo-cli" show "$data/karvo.def" > "$stage/show.txt" || fail "karvo-cli show failed"
grep -q "^Country  *SWEDEN" "$stage/show.txt" || fail "karvo-cli show does not list the default setup"
# The report draws hidden dialogs: off screen when there is no display.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/karvo-cli" report "$data/karvo.def" \
    > "$stage/report.txt" 2> /dev/null || fail "karvo-cli report failed without a display"
[ "$(head -1 "$stage/report.txt")" = "Karvo Version 2.6 Setup" ] && [ "$(tr -cd '\f' < "$stage/report.txt" | wc -c)" -eq 3 ] \
    || fail "karvo-cli report did not print four pages"
# KARVO_CHECK_START: every message box goes to stderr, Karvo ends once its window is up
# and exits with 3 when a box was shown ("Cannot load default setup" among them).
status=0
QT_QPA_PLATFORM=offscreen KARVO_CHECK_START=1 timeout 60 "$bin/karvo" 2> "$stage/karvo.err" \
    || status=$?
[ "$status" -eq 0 ] || fail "karvo started with status $status: $(cat "$stage/karvo.err")"
[ -z "$(ls -A "$work")" ] || fail "karvo left files in the working folder: $(ls -A "$work")"
cd - > /dev/null

desktop-file-validate "$prefix/share/applications/karvo.desktop" || fail "desktop entry"
for size in 16 22 24 32 48 64 128 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/karvo.png" ] \
        || fail "icon ${size}x${size} is missing"
done
for page in karvo karvo-cli karvo-unit; do
    file="$prefix/share/man/man1/$page.1.gz"
    [ -f "$file" ] || fail "manual page $page.1.gz is missing"
    [ -z "$(gzip -dc "$file" | groff -man -ww -z 2>&1)" ] || fail "manual page $page.1 has faults"
done
# The Debian package holds the same and depends on the Qt runtime packages.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$stage/package" > "$stage/cpack.log" 2>&1 \
    || fail "cpack: $(tail -n 5 "$stage/cpack.log")"
deb="$(ls "$stage"/package/karvo_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6serialport6 libqt6network6; do
    [[ "$depends" == *"$lib "* ]] || fail "the package does not depend on $lib: $depends"
done
contents="$(dpkg-deb -c "$deb")"
grep -q "/usr/share/applications/karvo.desktop$" <<< "$contents" || fail "no menu entry in the package"
[ "$(grep -c "/usr/bin/." <<< "$contents")" -eq 3 ] || fail "the package holds other programs"
echo "check-install: installation in $prefix is complete and starts from an empty folder"
