#!/usr/bin/env bash
# Prints where the programs stand on the largest files the formats allow,
# each figure against its yardstick: the checker and the core on the host
# (a Release build), the editor window under Wine. Run it on an otherwise
# idle machine; it is a tool, not a test.
#   tests/bench/run.sh
set -euo pipefail
source "$(dirname "$0")/../../scripts/setup.sh"

install_dependencies
configure_and_build >/dev/null
prepare_wine

echo "== The core and the checker (host, Release)"
cmake -S "$ROOT" -B "$BUILD/bench" -DCMAKE_BUILD_TYPE=Release -DZOLT_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD/bench" -j "$(nproc)" --target core_bench zoltcheck >/dev/null
"$BUILD/bench/core_bench" "$BUILD/bench/stick"

echo "== The editor window ($ZOLT_WINDOWS_ARCH build under Wine)"
windows="$BUILD/$ZOLT_WINDOWS_ARCH"
cmake --build "$windows" -j "$(nproc)" --target zolt_window_bench bench_yardstick >/dev/null
sample="$BUILD/bench/sample"
rm -rf "$sample"
cp -r "$ROOT/samples/stick" "$sample"
# Wine shows the host's folders on drive Z:.
win() { echo "Z:${1//\//\\}"; }
xvfb-run -a -s "-screen 0 1280x1024x24" "$ZOLT_WINE" "$windows/zolt_window_bench.exe" \
    "$(win "$windows/zolt.exe")" "$(win "$windows/bench_yardstick.exe")" "$(win "$sample")"
