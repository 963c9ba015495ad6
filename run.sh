#!/usr/bin/env bash
# Builds the programs and opens one of them on a scratch copy of the sample
# stick.
#   ./run.sh            the editor's view of the sample stick
#   ./run.sh zolt PATH  the same for a given program file
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

install_dependencies
configure_and_build
prepare_wine

SCRATCH="$BUILD/run/stick"
rm -rf "$BUILD/run"
mkdir -p "$BUILD/run"
cp -r "$ROOT/samples/stick" "$SCRATCH"
mkdir -p "$SCRATCH/TOOLS"

what="${1:-zolt}"
program=""
if [[ "$what" == zolt && $# -ge 2 ]]; then
    program="$(realpath -m "$2")"
fi
case "$what" in
    zolt)
        # Started one level below the stick's root, as an owner starts it.
        cd "$SCRATCH/TOOLS"
        if [[ -n "$program" ]]; then
            "$BUILD/host/zoltcheck" --events "$program"
        else
            "$BUILD/host/zoltcheck" --events
        fi
        ;;
    *)
        echo "usage: ./run.sh [zolt [PATH]]" >&2
        exit 2
        ;;
esac
