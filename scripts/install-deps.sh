#!/usr/bin/env bash
# Installs the Debian packages Veltaro needs to build, run and test. Idempotent: when everything
# is there it only asks dpkg and returns.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev libxml2-dev libx11-dev libxext-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    tzdata locales dbus dbus-x11
    xvfb xauth trayer xdotool fonts-wqy-microhei
    python3-dbus python3-gi python3-dbusmock libfaketime at-spi2-core
    clang-14 libclang-rt-14-dev lintian desktop-file-utils libcap2-bin dpkg-dev file
    xdg-utils
)
missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing Debian packages: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        echo "These Debian packages are missing and sudo is not installed; install them as root:" >&2
        echo "  apt-get install ${missing[*]}" >&2
        exit 1
    fi
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
