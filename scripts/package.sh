#!/usr/bin/env bash
# Builds the Debian package from the release configuration (build/default/, the same build the
# tests use; CPack installs it under /usr) and checks it with lintian and desktop-file-validate.
# Install it with: sudo apt install ./build/default/veltaro_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"
rm -f build/default/veltaro_*.deb
(cd build/default && cpack -G DEB >/dev/null)
package=$(ls build/default/veltaro_*.deb)
echo "Built $package ($(du -k "$package" | cut -f1) KiB)"
desktop-file-validate packaging/veltaro.desktop
lintian --tag-display-limit 0 "$package" || true
