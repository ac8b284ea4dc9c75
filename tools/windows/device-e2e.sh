#!/usr/bin/env bash
# The Windows karvo-cli.exe, and the main window's device commands, against the Linux
# virtual unit through a Wine COM port (COM7 -> the unit's pseudo-terminal): device
# information, read, write with verify, and a unit that vanishes in the middle of a read.
# Run by tools/windows/build.sh.
#
#   device-e2e.sh [--read-only] KARVO_UNIT KARVO_CLI_EXE DEFAULT_SETUP WORK_DIR [WINDOW_TEST_EXE]
#
# KARVO_CLI_EXE is a Linux path or a Windows one ('C:\Karvo\karvo-cli.exe'); WINEPREFIX
# (and WINEPATH when the program needs it) come from the caller. --read-only: only read.
# WINDOW_TEST_EXE: the Windows build's app_device_wine.exe (tests/app/tst_device_wine.cpp),
# which drives the main window's commands offscreen; it expects the unit to start from
# DEFAULT_SETUP, the shipped default setup.
set -euo pipefail
read_only=0
if [ "${1:-}" = --read-only ]; then read_only=1; shift; fi
unit=$1 cli=$2 setup=$3 work=$4 window_test=${5:-}
port=COM7
fail() { echo "device-e2e: $*" >&2; exit 1; }
win() { echo "Z:${1//\//\\}"; }

rm -rf "$work"
mkdir -p "$work/backups"
export KARVO_PROFILE="$(win "$work/karvo.ini")" KARVO_BACKUP_DIR="$(win "$work/backups")"
unit_pid=""
stop_unit() {
    # Wine lets go of the terminal first, or wineserver reports the vanished device.
    wineserver -k 2>/dev/null || true
    if [ -n "$unit_pid" ]; then
        kill "$unit_pid" 2>/dev/null || true
        while kill -0 "$unit_pid" 2>/dev/null; do sleep 0.05; done
    fi
    unit_pid=""
}
trap stop_unit EXIT

start_unit() { # options of karvo-unit
    stop_unit
    # Emptied here, not by the unit's redirection, which may come after the first look.
    rm -f "$work/unit.out"
    "$unit" --image "$setup" --save "$work/unit.s19" "$@" > "$work/unit.out" 2> "$work/unit.err" &
    unit_pid=$!
    disown "$unit_pid" # a unit that vanishes on purpose is no news for the shell
    for _ in $(seq 100); do [ -s "$work/unit.out" ] && break; sleep 0.05; done
    local pty
    pty="$(head -1 "$work/unit.out")"
    [[ "$pty" == /dev/* ]] || fail "karvo-unit printed no terminal: $(cat "$work/unit.err")"
    ln -sfn "$pty" "$WINEPREFIX/dosdevices/${port,,}"
}

# Runs karvo-cli.exe; its stdout (CR LF turned into LF) in $work/out, stderr in $work/err.
status=0
cli() {
    status=0
    (cd "$work" && timeout 120 wine "$cli" "$@") > "$work/out.raw" 2> "$work/err.raw" || status=$?
    tr -d '\r' < "$work/out.raw" > "$work/out"
    tr -d '\r' < "$work/err.raw" > "$work/err"
}
same_bytes() { # two setup files hold the same image
    cli dump "$(win "$1")"
    cp "$work/out" "$work/dump1"
    cli dump "$(win "$2")"
    cmp -s "$work/dump1" "$work/out"
}

start_unit
cli read "$(win "$work/read.s19")" --port "$port"
[ "$status" -eq 0 ] || fail "read: status $status: $(cat "$work/err")"
grep -q "Reception OK" "$work/out" || fail "read: no 'Reception OK': $(cat "$work/out")"
same_bytes "$setup" "$work/read.s19" || fail "read: the setup read differs from the unit's"
echo "device-e2e: read through $port: the unit's setup"
[ "$read_only" -eq 0 ] || exit 0

cli info --port "$port"
[ "$status" -eq 0 ] || fail "info: status $status: $(cat "$work/err")"
printf 'Device information: Software : RM4811\nVersion : V2.6\nSoftware date : 15 Jun 1999 12:00\n' \
    | cmp -s - "$work/out" || fail "info printed: $(cat "$work/out")"
echo "device-e2e: info"

cli poke "$(win "$setup")" "$(win "$work/changed.s19")" 30=9 31=0x41
[ "$status" -eq 0 ] || fail "poke: status $status"
cli write "$(win "$work/changed.s19")" --verify --port "$port"
[ "$status" -eq 0 ] || fail "write --verify: status $status: $(cat "$work/err")"
same_bytes "$work/changed.s19" "$work/unit.s19" || fail "write: the unit holds other bytes"
echo "device-e2e: write with verify"

# The unit's terminal closes in the middle of the dump, as when an adapter is pulled.
start_unit --vanish-after 8
cli read "$(win "$work/lost.s19")" --port "$port"
[ "$status" -eq 12 ] || fail "vanishing unit: status $status (12 expected): $(cat "$work/err")"
grep -q "PORT LOST" "$work/err" || fail "vanishing unit: $(cat "$work/err")"
[ ! -f "$work/lost.s19" ] || fail "vanishing unit: a setup file was written"
echo "device-e2e: a vanishing unit is reported as port lost"
[ -n "$window_test" ] || exit 0

# The main window: the test program's case for the unit behind the port ($1: exchanges or
# vanishingUnit, KARVO_E2E_VANISHING=$2) must pass, not be skipped.
window() {
    status=0
    (cd "$work" && KARVO_E2E_COM=$port KARVO_E2E_VANISHING=$2 \
        timeout 300 wine "$window_test" -platform offscreen) > "$work/window.raw" 2>&1 || status=$?
    tr -d '\r' < "$work/window.raw" > "$work/window.out"
    [ "$status" -eq 0 ] && grep -q "^PASS   : TestDeviceThroughPort::$1()" "$work/window.out" \
        || fail "main window, $1: status $status: $(cat "$work/window.out")"
}
start_unit
window exchanges ""
echo "device-e2e: the main window's device information, read, write with verify"
start_unit --vanish-after 8
window vanishingUnit 1
echo "device-e2e: the main window reports a vanishing unit as port lost"
