#!/usr/bin/env bash
# Builds everything and runs every test: host unit tests (plain and under
# AddressSanitizer/UndefinedBehaviorSanitizer), and the end-to-end tests of the
# host checker and of the .exe files under Wine.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

install_dependencies
choose_windows_tests
echo "== $ZOLT_WINDOWS_WHY"

echo "== Format check"
mapfile -t sources < <(cd "$ROOT" && git ls-files '*.cpp' '*.h' 2>/dev/null || true)
if ((${#sources[@]})); then
    (cd "$ROOT" && clang-format --dry-run --Werror "${sources[@]}")
fi

echo "== Build"
configure_and_build
configure_and_build_sanitized

prepare_wine

echo "== Host tests under AddressSanitizer and UndefinedBehaviorSanitizer"
(cd "$BUILD/host-asan" && ctest --output-on-failure -j "$(nproc)" -E '\.wine$')

echo "== Fuzz targets: seed corpora replayed, then each fuzzed briefly"
fuzz_status=0
"$ROOT/tests/fuzz/run.sh" 15 || fuzz_status=$?

echo "== All tests"
# Programs left running by an interrupted run would share the Wine server with
# the tests and their windows would sit on a display that is gone.
wineserver -k >/dev/null 2>&1 || true
rm -f "$BUILD"/screenshots/*.bmp "$BUILD"/screenshots/*.png
status=0
(cd "$BUILD/host" && ctest --output-on-failure -j "$(nproc)") || status=$?
convert_screenshots
echo "Screenshots: $BUILD/screenshots"
echo "$ZOLT_WINDOWS_WHY"
if ((fuzz_status)); then
    echo "FAIL: a fuzz target found an input that breaks it (see above)"
    status=1
fi
exit $status
