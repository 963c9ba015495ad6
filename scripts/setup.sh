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

# Which build carries the Windows tests. Some machines cannot start 32-bit
# programs at all (kernels or virtual machines without 32-bit support): the
# i386 loader, and with it Wine's 32-bit half, answers "Exec format error".
# There Wine's 64-bit loader runs the x64 build, whatever packages are
# installed. ZOLT_WINDOWS_TESTS=x64 takes that path on purpose.
choose_windows_tests() {
    if [[ -n "${ZOLT_WINDOWS_CHOSEN:-}" ]]; then
        return
    fi
    ZOLT_CAN_RUN_32BIT=0
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        ZOLT_CAN_RUN_32BIT=1
    fi
    case "${ZOLT_WINDOWS_TESTS:-auto}" in
        auto)
            if ((ZOLT_CAN_RUN_32BIT)); then
                ZOLT_WINDOWS_ARCH=x86
                ZOLT_WINDOWS_WHY="Windows tests ran on the x86 build, the one that ships; the x64 build was smoke-tested."
            else
                ZOLT_WINDOWS_ARCH=x64
                ZOLT_WINDOWS_WHY="Windows tests ran on the x64 build: this machine cannot start 32-bit programs; the x86 build was checked by its PE header and imports only."
            fi
            ;;
        x64)
            ZOLT_WINDOWS_ARCH=x64
            ZOLT_WINDOWS_WHY="Windows tests ran on the x64 build: ZOLT_WINDOWS_TESTS=x64 asked for it; the x86 build was checked by its PE header and imports only."
            ;;
        x86)
            if ! ((ZOLT_CAN_RUN_32BIT)); then
                echo "ZOLT_WINDOWS_TESTS=x86, but this machine cannot start 32-bit programs." >&2
                exit 2
            fi
            ZOLT_WINDOWS_ARCH=x86
            ZOLT_WINDOWS_WHY="Windows tests ran on the x86 build, the one that ships; the x64 build was smoke-tested."
            ;;
        *)
            echo "ZOLT_WINDOWS_TESTS must be x86, x64 or auto, not '${ZOLT_WINDOWS_TESTS}'." >&2
            exit 2
            ;;
    esac
    if [[ "$ZOLT_WINDOWS_ARCH" == x64 ]]; then
        # Debian's wine command takes the 32-bit loader whenever wine32 is
        # installed; the 64-bit one is started directly.
        ZOLT_WINE=/usr/lib/wine/wine64
        export WINELOADER="$ZOLT_WINE"
    else
        ZOLT_WINE=wine
        unset WINELOADER
    fi
    ZOLT_WINDOWS_CHOSEN=1
    export ZOLT_CAN_RUN_32BIT ZOLT_WINDOWS_ARCH ZOLT_WINDOWS_WHY ZOLT_WINE ZOLT_WINDOWS_CHOSEN
}

# Wine's own tools (reg, winepath, wineboot) through the chosen loader.
wine_run() {
    "$ZOLT_WINE" "$@"
}

# The host build (unit tests, checker) with its sanitizer twin, the shipped
# 32-bit Windows build and the 64-bit one; the one that carries the Windows
# tests is built with them.
configure_and_build() {
    local jobs x86_tests=ON x64_tests=OFF
    jobs="$(nproc)"
    choose_windows_tests
    if [[ "$ZOLT_WINDOWS_ARCH" == x64 ]]; then
        x86_tests=OFF
        x64_tests=ON
    fi
    cmake -S "$ROOT" -B "$BUILD/x86" -DCMAKE_BUILD_TYPE=Release -DZOLT_BUILD_TESTS=$x86_tests \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake" >/dev/null
    cmake --build "$BUILD/x86" -j "$jobs"
    cmake -S "$ROOT" -B "$BUILD/x64" -DCMAKE_BUILD_TYPE=Release -DZOLT_BUILD_TESTS=$x64_tests \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$BUILD/x64" -j "$jobs"
    cmake -S "$ROOT" -B "$BUILD/host" -DCMAKE_BUILD_TYPE=Debug \
        -DZOLT_WINDOWS_X86_BIN_DIR="$BUILD/x86" -DZOLT_WINDOWS_X64_BIN_DIR="$BUILD/x64" \
        -DZOLT_WINDOWS_TEST_ARCH="$ZOLT_WINDOWS_ARCH" -DZOLT_WINE="$ZOLT_WINE" >/dev/null
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

# Which Wine made a prefix, and for which build: a prefix made by another
# installation (say, before wine32 was there) or by the other loader cannot
# be trusted to load the system DLLs the tests need.
wine_identity() {
    echo "$(wine_run --version) $(dpkg-query -W -f='${Version}' wine32:i386 2>/dev/null)" \
        "$WINEARCH $ZOLT_WINDOWS_ARCH"
}

prepare_wine() {
    choose_windows_tests
    local stamp="$WINEPREFIX/made-by" system_dll=system32
    if [[ "$ZOLT_WINDOWS_ARCH" == x86 ]]; then
        system_dll=syswow64
    fi
    if [[ -f "$WINEPREFIX/system.reg" && -f "$WINEPREFIX/drive_c/windows/$system_dll/kernel32.dll" &&
          "$(cat "$stamp" 2>/dev/null)" == "$(wine_identity)" ]]; then
        return
    fi
    echo "== Making the Wine prefix ($ZOLT_WINDOWS_ARCH)"
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine_run wineboot.exe -i >/dev/null 2>&1 || true
    # Without a window manager Wine draws the caption and frame itself.
    wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        >/dev/null 2>&1 || true
    wineserver -w || true
    # The first window a prefix shows takes long (fonts are looked up and
    # cached): show one before any test waits for a window.
    if [[ -f "$BUILD/$ZOLT_WINDOWS_ARCH/zolt_window_tests.exe" ]]; then
        timeout 300 xvfb-run -a -s "-screen 0 1280x1024x24" "$ZOLT_WINE" \
            "$BUILD/$ZOLT_WINDOWS_ARCH/zolt_window_tests.exe" \
            --gtest_filter='EditorWindow.UsesTheProgramIcon*' >/dev/null 2>&1 || true
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
