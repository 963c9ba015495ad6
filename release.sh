#!/usr/bin/env bash
# Builds the 32-bit Windows programs from the committed sources (HEAD) and
# writes dist/zolt-VERSION-windows-x86.zip and dist/SHA256SUMS. The same
# commit gives the same bytes wherever it is built.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

need_packages cmake make git python3 g++-mingw-w64-i686-win32 binutils-mingw-w64-i686

WORK="$BUILD/release"
rm -rf "$WORK"
mkdir -p "$WORK/src"
git -C "$ROOT" archive --format=tar HEAD | tar -x -C "$WORK/src"
if [[ -n "$(git -C "$ROOT" status --porcelain --untracked-files=no)" ]]; then
    echo "Note: uncommitted changes are not in the release; it is built from HEAD."
fi

cmake -S "$WORK/src" -B "$WORK/x86" -DCMAKE_BUILD_TYPE=Release -DZOLT_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$WORK/src/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$WORK/x86" -j "$(nproc)" --target zolt Pupdesk zoltcheck >/dev/null
python3 "$WORK/src/tests/release/check_pe.py" 5.01 \
    "$WORK/x86/zolt.exe" "$WORK/x86/Pupdesk.exe" "$WORK/x86/zoltcheck.exe"

version="$(cat "$WORK/x86/VERSION")"
sed "s/@VERSION@/$version/" "$WORK/src/scripts/release/README.txt" >"$WORK/README.txt"
zip="zolt-$version-windows-x86.zip"
mkdir -p "$ROOT/dist"
rm -f "$ROOT/dist/$zip" "$ROOT/dist/SHA256SUMS"
python3 "$WORK/src/scripts/release/make_zip.py" "$ROOT/dist/$zip" \
    "$(git -C "$ROOT" log -1 --format=%ct HEAD)" \
    "zolt.exe=$WORK/x86/zolt.exe" \
    "Pupdesk.exe=$WORK/x86/Pupdesk.exe" \
    "zoltcheck.exe=$WORK/x86/zoltcheck.exe" \
    "README.txt=$WORK/README.txt" \
    "LICENSE.txt=$WORK/src/LICENSE"
(cd "$ROOT/dist" && sha256sum "$zip" >SHA256SUMS)
echo "Wrote dist/$zip and dist/SHA256SUMS:"
cat "$ROOT/dist/SHA256SUMS"
