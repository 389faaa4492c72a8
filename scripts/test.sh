#!/usr/bin/env bash
# Builds everything and runs every test: the normal build with all tests (under Xvfb and a private
# D-Bus session bus), the logic tests under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the threaded tests under ThreadSanitizer, then a minute of fuzzing for each loader of outside data,
# and the Debian package built, installed, run and removed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)

build_and_test() {
    local preset=$1
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs" --timeout 300
}

# The window tests need a display and a session bus of their own, never the user's.
xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c "$(declare -f build_and_test); jobs=$jobs; build_and_test default"
build_and_test asan
build_and_test tsan
# Every loader of outside data, fuzzed for a minute each.
scripts/fuzz.sh 60
# The Debian package: built, installed, run and removed as a user would.
scripts/package.sh
tests/package/installed_package_test.sh build/default/veltaro_*.deb
echo "All tests passed."
