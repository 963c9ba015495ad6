#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine, and makes the
# build folders. Sourced by run.sh and test.sh.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

need_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=""
        if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" >/dev/null
    fi
}

install_dependencies() {
    need_packages cmake make g++ libgtest-dev googletest clang-format python3 \
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
        wine wine64 xvfb xauth imagemagick fonts-wine
}

# Host build (unit tests, checker), its sanitizer twin, and the Windows cross build.
configure_and_build() {
    local jobs
    jobs="$(nproc)"
    cmake -S "$ROOT" -B "$BUILD/mingw" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$BUILD/mingw" -j "$jobs"
    cmake -S "$ROOT" -B "$BUILD/host" -DCMAKE_BUILD_TYPE=Debug \
        -DZOLT_WINDOWS_BIN_DIR="$BUILD/mingw" >/dev/null
    cmake --build "$BUILD/host" -j "$jobs"
}

configure_and_build_sanitized() {
    cmake -S "$ROOT" -B "$BUILD/host-asan" -DCMAKE_BUILD_TYPE=Debug -DZOLT_SANITIZE=ON >/dev/null
    cmake --build "$BUILD/host-asan" -j "$(nproc)"
}

# A throw-away Wine prefix inside the build folder.
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEARCH=win64

prepare_wine() {
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        # Without a window manager Wine draws the caption and frame itself.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
            >/dev/null 2>&1 || true
        wineserver -w || true
    fi
}

# Screenshots that the window tests saved as BMP become PNG files, cut to
# what is on the screen.
convert_screenshots() {
    local bmp
    for bmp in "$BUILD"/screenshots/*.bmp; do
        [[ -e "$bmp" ]] || continue
        convert "$bmp" -trim +repage "${bmp%.bmp}.png" && rm -f "$bmp"
    done
}
