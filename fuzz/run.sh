#!/usr/bin/env bash
# Builds the fuzz harnesses with clang and runs each over its corpus for a bounded time.
#   fuzz/run.sh [seconds per harness, default 60] [harness ...]
# Any finding (crash, hang, leak, sanitizer report, out-of-memory) makes it exit non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DFORTEMA_FUZZ=ON -DFORTEMA_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
harnesses=(numtext_fuzz engine_fuzz archive_fuzz pagescript_fuzz)
if [ $# -gt 1 ]; then harnesses=("${@:2}"); fi
# AddressSanitizer keeps freed memory in a quarantine of 256 MB by default and returns little to
# the system: over half an hour of 8 MB project files the process grows towards the RSS limit
# with nothing leaking. A small quarantine, given back often, keeps RSS to what is really held,
# so only a real leak or a single huge allocation (-malloc_limit_mb) stops the run.
export ASAN_OPTIONS="quarantine_size_mb=16:thread_local_quarantine_size_kb=256:allocator_release_to_os_interval_ms=1000${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
# Fontconfig keeps the fonts the painter surface asked for in caches it never frees.
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
cmake --build "$build" --target "${harnesses[@]}" -j"$(nproc)"
status=0
for h in "${harnesses[@]}"; do
    name=${h%_fuzz}
    work="$build/fuzz-corpus/$name"
    mkdir -p "$work" "$build/fuzz-findings"
    echo "== $h: ${seconds}s"
    if ! QT_QPA_PLATFORM=offscreen "$build/fuzz/$h" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
        -artifact_prefix="$build/fuzz-findings/$name-" -print_final_stats=1 "$work" "fuzz/corpus/$name" \
        >"$build/fuzz-$name.log" 2>&1; then
        echo "finding in $h:"; tail -40 "$build/fuzz-$name.log"; status=1
    else
        # Executions, coverage (edges), corpus and peak memory of the run.
        grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units|^stat::peak_rss_mb|^Done' "$build/fuzz-$name.log" || true
    fi
done
exit $status
