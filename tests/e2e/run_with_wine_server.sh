#!/usr/bin/env bash
# Runs a test program that starts many Windows programs one after another
# under Wine, with one Wine server kept for all of them: a program that
# starts just as the server of the one before shuts down fails with "wine
# client error: ... Connection reset by peer". The server goes at the end.
#   run_with_wine_server.sh PROGRAM [ARGS...]
set -euo pipefail
wineserver -w || true
wineserver -p
trap 'wineserver -k || true' EXIT
"$@"
