#!/usr/bin/env bash
# Runs a Windows test program under Wine on a virtual display. Drive P: is
# made a fresh scratch folder first, for the programs that find their files
# from the root of the current drive.
#   run_under_wine.sh SCRATCH_FOLDER PROGRAM.exe [ARGS...]
set -euo pipefail
scratch="$1"
shift
rm -rf "$scratch"
mkdir -p "$scratch"
ln -sfn "$scratch" "$WINEPREFIX/dosdevices/p:"
export ZOLT_PUPDESK_DRIVE="P:"
# A Wine server still running for an earlier test keeps its desktop on that
# test's display (or on none, after the checker's tests): the windows of a
# program that joined it would never show here. Wait until it is gone, and
# leave none behind for the next test.
wineserver -w || true
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" "${ZOLT_WINE:-wine}" "$@" || status=$?
wineserver -w || true
exit $status
