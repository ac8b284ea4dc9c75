#!/usr/bin/env bash
# Starts Karvo in build/bin (where karvo.def and the language folders are) with a virtual
# unit on a pseudo-terminal behind COM 1 (and COM 2 to 4, whichever is chosen), so that
# Read device, Write device and Device information work without hardware. Closing Karvo
# stops the unit, also when Karvo restarted itself after a change of language.
#   tools/run-karvo.sh [BUILD_DIR] [karvo arguments...]
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
shift || true
bin="$build/bin"
run="$(mktemp -d)"
"$bin/karvo-unit" --image "$bin/karvo.def" --link "$run/com1" --save "$run/unit.s19" > "$run/unit.txt" &
unit=$!
trap 'kill $unit 2>/dev/null; wait $unit 2>/dev/null; rm -rf "$run"' EXIT
for _ in $(seq 50); do [ -e "$run/com1" ] && break; sleep 0.1; done
echo "Virtual unit on $(head -n1 "$run/unit.txt") (COM 1 to 4 -> $run/com1)"
cd "$bin"
KARVO_COM1="$run/com1" KARVO_COM2="$run/com1" KARVO_COM3="$run/com1" KARVO_COM4="$run/com1" \
    ./karvo "$@" || true
# A language change ends Karvo and starts it again; wait for the new one to close too.
while grep -lqs "KARVO_COM1=$run/com1" /proc/[0-9]*/environ 2>/dev/null; do sleep 1; done
