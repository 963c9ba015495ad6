#!/usr/bin/env bash
# Runs a window test program with the screen at another size of text (dots
# per inch), as on a laptop set to 150%; the prefix goes back to 96 after.
#   run_at_dpi.sh DPI SCRATCH_FOLDER PROGRAM.exe [ARGS...]
set -euo pipefail
dpi="$1"
shift
set_dpi() {
    "${ZOLT_WINE:-wine}" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    "${ZOLT_WINE:-wine}" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || true
    wineserver -w
}
trap 'set_dpi 96' EXIT
set_dpi "$dpi"
"$(dirname "$0")/run_under_wine.sh" "$@"
