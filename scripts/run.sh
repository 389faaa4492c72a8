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
    export QT_QPA_PLATFORM=offscreen
fi
# The program replaces any running instance and then lives on by itself, like at logon.
nohup build/default/bin/veltaro >/dev/null 2>&1 &
echo "Veltaro started (process $!)."
