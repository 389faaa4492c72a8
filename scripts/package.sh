#!/usr/bin/env bash
# Builds the Debian package into build/package/ (release build, installed under /usr) and checks
# it with lintian and desktop-file-validate. Install it with: apt install ./build/package/veltaro_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DVELTARO_TESTS=OFF -DVELTARO_BENCH=OFF >/dev/null
cmake --build build/package -j "$(nproc)"
(cd build/package && cpack -G DEB >/dev/null)
package=$(ls build/package/veltaro_*.deb)
echo "Built $package ($(du -k "$package" | cut -f1) KiB)"
desktop-file-validate packaging/veltaro.desktop
lintian --tag-display-limit 0 "$package" || true
