#!/usr/bin/env bash
# Runs every fuzz target for SECONDS (default 60) under AddressSanitizer and
# UndefinedBehaviorSanitizer, each starting from its seed corpus in fuzz/corpus/. New inputs that
# reach new code go to build/fuzz/corpus/ (the committed seeds stay as they are); a crash stops the
# script with the failing input saved in build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

for fuzzer in build/fuzz/bin/*_fuzzer; do
    name=$(basename "$fuzzer" _fuzzer)
    work=build/fuzz/corpus/$name
    mkdir -p "$work"
    echo "== $name: $seconds s"
    # One job on each core would halve each run's share; the targets take turns instead.
    "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -max_len=65536 \
        -artifact_prefix=build/fuzz/"$name"- "$work" fuzz/corpus/"$name" 2>&1 |
        grep -E "^(#[0-9]+ *DONE|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)|cov:" |
        tail -4
    [[ ${PIPESTATUS[0]} -eq 0 ]] || { echo "$name found a fault; see build/fuzz/$name-*" >&2; exit 1; }
done
echo "All fuzz targets ran without a fault."
