#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, replays each seed corpus, then
# fuzzes each target for a while (15 seconds unless told otherwise).
#   tests/fuzz/run.sh [SECONDS]
# New inputs go to build/fuzz/work/, never into the committed corpora; a
# crash leaves its input there and fails the run.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
seconds="${1:-15}"
out="$ROOT/build/fuzz"

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZOLT_FUZZ=ON -DZOLT_BUILD_TESTS=OFF >/dev/null
cmake --build "$out" -j "$(nproc)" >/dev/null

status=0
for corpus in "$ROOT"/tests/fuzz/corpus/*/; do
    target="$(basename "$corpus")"
    fuzzer="$out/tests/fuzz/fuzz_$target"
    work="$out/work/$target"
    log="$out/work/$target.log"
    mkdir -p "$work"
    if ! "$fuzzer" -runs=0 -artifact_prefix="$out/work/$target-" "$corpus" >"$log" 2>&1; then
        echo "FAIL: fuzz_$target on its seed corpus"
        tail -n 30 "$log"
        status=1
        continue
    fi
    if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$out/work/$target-" "$work" "$corpus" >>"$log" 2>&1; then
        echo "ok: fuzz_$target, $(ls "$corpus" | wc -l) seeds replayed, $(grep -oE 'DONE +cov: [0-9]+' "$log" | tail -1 | grep -oE '[0-9]+$') edges covered in ${seconds}s"
    else
        echo "FAIL: fuzz_$target found an input that breaks it:"
        tail -n 30 "$log"
        status=1
    fi
done
exit $status
