#!/usr/bin/env bash
# Builds the programs and opens one on a scratch copy of the sample stick.
#   ./run.sh            the editor, started one level below the stick's root
#   ./run.sh zolt PATH  the editor on a given program file
#   ./run.sh pupdesk    the settings console, with the stick as drive M:
# Without a display the program runs on a virtual one; a screenshot is saved
# under build/ and the program is closed again.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

what="${1:-zolt}"
program=""
case "$what" in
    zolt)
        if [[ $# -ge 2 ]]; then
            program="$(realpath -m "$2")"
        fi
        ;;
    pupdesk) ;;
    *)
        echo "usage: ./run.sh [zolt [PATH] | pupdesk]" >&2
        exit 2
        ;;
esac

install_dependencies
configure_and_build
prepare_wine
if [[ "$ZOLT_WINDOWS_ARCH" == x64 ]]; then
    if ((ZOLT_CAN_RUN_32BIT)); then
        echo "ZOLT_WINDOWS_TESTS=x64: opening the x64 build."
    else
        echo "This machine cannot start 32-bit programs: opening the x64 build."
    fi
fi

SCRATCH="$BUILD/run/stick"
rm -rf "$BUILD/run"
mkdir -p "$BUILD/run"
cp -r "$ROOT/samples/stick" "$SCRATCH"
mkdir -p "$SCRATCH/ZOLT"

args=()
if [[ "$what" == zolt ]]; then
    exe="$BUILD/$ZOLT_WINDOWS_ARCH/zolt.exe"
    title="The editor"
    cd "$SCRATCH/ZOLT"
    if [[ -n "$program" ]]; then
        args=("$(wine_run winepath.exe -w "$program" 2>/dev/null)")
    fi
else
    # The console finds its files from the root of the current drive: the
    # stick becomes drive M: and its folder the current one.
    exe="$BUILD/$ZOLT_WINDOWS_ARCH/Pupdesk.exe"
    title="The settings console"
    ln -sfn "$SCRATCH" "$WINEPREFIX/dosdevices/m:"
    cd "$SCRATCH"
fi

if [[ -n "${DISPLAY:-}" ]]; then
    exec "$ZOLT_WINE" "$exe" "${args[@]}"
fi

# No display: a virtual one, a screenshot, and the program closed again.
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY="$display" "$ZOLT_WINE" "$exe" "${args[@]}" >/dev/null 2>&1 &
sleep 6
shot="$BUILD/run-$what.png"
DISPLAY="$display" import -window root "$shot"
convert "$shot" -trim +repage "$shot"
echo "$title ran on a virtual display on a scratch copy of samples/stick."
echo "Screenshot: $shot"
