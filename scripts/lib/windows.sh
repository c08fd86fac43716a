# SPDX-License-Identifier: MIT
# The ROM library as Windows programs: cross-built with MinGW-w64 and run under Wine by CTest.
# Sourced by scripts/test after lib/common.sh and lib/suites.sh:
#   vorn_windows_prepare        installs what is missing and builds GoogleTest for Windows once
#   vorn_suite windows "$VORN_WINDOWS_BUILD/rom" "${VORN_WINDOWS_OPTIONS[@]}"
#   vorn_windows_stop           stops the suite's Wine server

VORN_WINDOWS_BUILD="$VORN_ROOT/build/windows"
VORN_WINDOWS_TOOLCHAIN="$VORN_ROOT/cmake/mingw-w64-x86_64.cmake"
VORN_WINDOWS_GTEST="$VORN_WINDOWS_BUILD/googletest-install"
# Warnings are errors in this build: it is the only one that sees the Windows file layer.
VORN_WINDOWS_OPTIONS=(-DCMAKE_TOOLCHAIN_FILE="$VORN_WINDOWS_TOOLCHAIN" -DCMAKE_BUILD_TYPE=Debug
                      -DVORN_ROM_ONLY=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
                      -DGTest_DIR="$VORN_WINDOWS_GTEST/lib/cmake/GTest")

vorn_windows_prepare() {
    # The MinGW-w64 compilers (posix threads, for std::thread), Wine, and GoogleTest's source.
    vorn_ensure_packages g++-mingw-w64-x86-64-posix wine64 googletest
    # Debian ships GoogleTest for Linux only: build it once from its source for Windows.
    if [ ! -f "$VORN_WINDOWS_GTEST/lib/libgtest.a" ]; then
        mkdir -p "$VORN_LOGS"
        {
            cmake -S /usr/src/googletest -B "$VORN_WINDOWS_BUILD/googletest" -G Ninja \
                -DCMAKE_TOOLCHAIN_FILE="$VORN_WINDOWS_TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
                -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$VORN_WINDOWS_GTEST" &&
                cmake --build "$VORN_WINDOWS_BUILD/googletest" &&
                cmake --install "$VORN_WINDOWS_BUILD/googletest"
        } >"$VORN_LOGS/build-googletest-windows.log" 2>&1 || true
    fi
}

vorn_windows_stop() {
    WINEPREFIX="$VORN_WINDOWS_BUILD/rom/wine-prefix" "$VORN_ROOT/cmake/wine-run.sh" --stop \
        >/dev/null 2>&1 || true
}
