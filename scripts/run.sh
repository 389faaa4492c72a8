#!/usr/bin/env bash
# Builds Veltaro and starts it in the current desktop session. Without a display it starts on
# Qt's offscreen platform so the run recorder still works; `veltaro-cli log` reads what it records.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target veltaro veltaro-cli

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No desktop display found (DISPLAY and WAYLAND_DISPLAY are unset):"
    echo "starting Veltaro without windows; read its run log with build/default/bin/veltaro-cli log"
fi
# The program replaces any running instance and then lives on by itself, like at logon. Without
# a usable display it runs on Qt's offscreen platform by itself.
log=$(mktemp)
nohup build/default/bin/veltaro >"$log" 2>&1 &
pid=$!
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
    echo "Veltaro did not start:" >&2
    cat "$log" >&2
    rm -f "$log"
    exit 1
fi
grep -v '^$' "$log" || true
rm -f "$log"
echo "Veltaro started (process $pid)."
