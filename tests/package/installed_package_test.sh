#!/usr/bin/env bash
# The package as a user meets it: installed with apt, the installed program started in a desktop
# of the test's own (an X server, a session bus with a tray watcher), its data kept in the user's
# data folder, its icon in the tray, its runs readable with veltaro-cli; then removed, leaving
# nothing under /usr. Needs root (it installs a package); skipped otherwise.
set -euo pipefail
cd "$(dirname "$0")/../.."
package=$(realpath "$1")
if [[ $(id -u) -ne 0 ]]; then
    echo "not root: the package can't be installed here"
    exit 0
fi

fail() { echo "installed package test: $*" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$package" >/dev/null
[[ -x /usr/bin/veltaro && -x /usr/bin/veltaro-cli ]] || fail "programs not installed"
getcap /usr/bin/veltaro | grep -q cap_wake_alarm || fail "no wake-up capability on /usr/bin/veltaro"
[[ -f /usr/share/veltaro/Holiday.xml && -f /usr/share/icons/hicolor/scalable/apps/veltaro.svg ]] ||
    fail "data files or icon missing"
man -w veltaro-cli >/dev/null 2>&1 || [[ -f /usr/share/man/man1/veltaro-cli.1.gz ]] ||
    fail "no manual page"

home=$(mktemp -d)
cleanup() {
    [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
mkdir -m 700 "$home/run"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_RUNTIME_DIR=$home/run TZ=Asia/Shanghai
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display

dbus-run-session -- bash -euo pipefail -c '
    log=$HOME/watcher.log
    /usr/bin/python3 tests/app/sni_watcher.py "$log" 2>/dev/null & watcher=$!
    for _ in $(seq 100); do grep -q ready "$log" 2>/dev/null && break; sleep 0.05; done
    /usr/bin/veltaro 2>"$HOME/veltaro.err" & program=$!
    for _ in $(seq 200); do grep -q "^register " "$log" && break; sleep 0.05; done
    grep -q "^register " "$log" || { echo "no tray icon" >&2; exit 1; }
    data=$XDG_DATA_HOME/veltaro
    for file in Holiday.xml Background.bmp tmptime1.tm; do
        [[ -f $data/$file ]] || { echo "no $file in $data" >&2; exit 1; }
    done
    veltaro-cli log | grep -q "^The 1st startup$" || { echo "veltaro-cli log shows no run" >&2; exit 1; }
    veltaro-cli open exit
    wait "$program"
    kill "$watcher"
'

apt-get purge -y -qq veltaro >/dev/null
left=$(find /usr -path '*veltaro*' 2>/dev/null | grep -v '^/usr/share/doc$' || true)
[[ -z $left ]] || fail "left behind: $left"
echo "The installed package works and leaves nothing behind."
