#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine, and makes the
# build folders. Sourced by run.sh and test.sh.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

# Debian package names as dpkg-query knows them ("wine32:i386" for a
# foreign-architecture one).
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
        as_root apt-get update -qq
        DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" >/dev/null
    fi
}

as_root() {
    if [[ $(id -u) -ne 0 ]]; then
        sudo "$@"
    else
        "$@"
    fi
}

install_dependencies() {
    # The shipped programs are 32-bit: Wine runs them with its i386 half.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        as_root apt-get update -qq
    fi
    need_packages cmake make g++ libgtest-dev googletest clang-format python3 \
        g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 \
        binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 \
        wine wine64 wine32:i386 xvfb xauth imagemagick fonts-wine \
        clang libclang-rt-dev locales fonts-ipafont-gothic
    # Japanese Windows, as Wine plays it: the ANSI code page 932 needs the
    # host's ja_JP.UTF-8 locale for the file names.
    if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
        as_root sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen ||
            echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
        as_root locale-gen >/dev/null
    fi
}

# The host build (unit tests, checker) with its sanitizer twin, the shipped
# 32-bit Windows build (programs and window tests), and the 64-bit one.
configure_and_build() {
    local jobs
    jobs="$(nproc)"
    cmake -S "$ROOT" -B "$BUILD/x86" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake" >/dev/null
    cmake --build "$BUILD/x86" -j "$jobs"
    cmake -S "$ROOT" -B "$BUILD/x64" -DCMAKE_BUILD_TYPE=Release -DZOLT_BUILD_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$BUILD/x64" -j "$jobs"
    cmake -S "$ROOT" -B "$BUILD/host" -DCMAKE_BUILD_TYPE=Debug \
        -DZOLT_WINDOWS_BIN_DIR="$BUILD/x86" -DZOLT_WINDOWS_X64_BIN_DIR="$BUILD/x64" >/dev/null
    cmake --build "$BUILD/host" -j "$jobs"
}

configure_and_build_sanitized() {
    cmake -S "$ROOT" -B "$BUILD/host-asan" -DCMAKE_BUILD_TYPE=Debug -DZOLT_SANITIZE=ON >/dev/null
    cmake --build "$BUILD/host-asan" -j "$(nproc)"
}

# A throw-away Wine prefix inside the build folder. It runs the 32-bit
# programs and the 64-bit ones.
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEARCH=win64

# Which Wine made a prefix: a prefix made by another installation (say,
# before wine32 was there) cannot load the 32-bit system DLLs.
wine_identity() {
    echo "$(wine --version) $(dpkg-query -W -f='${Version}' wine32:i386 2>/dev/null) $WINEARCH"
}

prepare_wine() {
    local stamp="$WINEPREFIX/made-by"
    if [[ -f "$WINEPREFIX/system.reg" && -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" &&
          "$(cat "$stamp" 2>/dev/null)" == "$(wine_identity)" ]]; then
        return
    fi
    echo "== Making the Wine prefix"
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # Without a window manager Wine draws the caption and frame itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        >/dev/null 2>&1 || true
    wineserver -w || true
    # The first window a prefix shows takes long (fonts are looked up and
    # cached): show one before any test waits for a window.
    if [[ -f "$BUILD/x86/zolt_window_tests.exe" ]]; then
        timeout 300 xvfb-run -a -s "-screen 0 1280x1024x24" wine \
            "$BUILD/x86/zolt_window_tests.exe" --gtest_filter='EditorWindow.UsesTheProgramIcon*' >/dev/null 2>&1 || true
    fi
    wineserver -w || true
    wine_identity >"$stamp"
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
