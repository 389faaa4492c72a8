#!/usr/bin/env bash
# Runs a test program as an ordinary user: what root may do anyway (write a read-only file or
# folder) is tested where it matters. As root it drops to the user nobody, from a copy of the
# program that nobody can reach; as anyone else the normal run covers it already (exit 77: skipped).
set -euo pipefail
program=$1
shift
if [[ $(id -u) -ne 0 ]]; then
    echo "not root: these tests ran unprivileged with the others"
    exit 77
fi
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp "$program" "$copy/"
chmod 755 "$copy" "$copy/$(basename "$program")"
cd "$copy"
setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$copy" \
    "$copy/$(basename "$program")" "$@"
