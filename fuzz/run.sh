#!/usr/bin/env bash
# Builds the fuzz harnesses with clang and runs each over its corpus for a bounded time.
#   fuzz/run.sh [seconds per harness, default 60]
# Any finding (crash, hang, leak, sanitizer report) makes it exit non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DFORTEMA_FUZZ=ON -DFORTEMA_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
harnesses=(numtext_fuzz engine_fuzz archive_fuzz pagescript_fuzz)
cmake --build "$build" --target "${harnesses[@]}" -j"$(nproc)"
status=0
for h in "${harnesses[@]}"; do
    name=${h%_fuzz}
    work="$build/fuzz-corpus/$name"
    mkdir -p "$work" "$build/fuzz-findings"
    echo "== $h: ${seconds}s"
    if ! QT_QPA_PLATFORM=offscreen "$build/fuzz/$h" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/fuzz-findings/$name-" -print_final_stats=1 "$work" "fuzz/corpus/$name" \
        >"$build/fuzz-$name.log" 2>&1; then
        echo "finding in $h:"; tail -40 "$build/fuzz-$name.log"; status=1
    else
        grep -E '^stat::number_of_executed_units|^Done' "$build/fuzz-$name.log" || true
    fi
done
exit $status
