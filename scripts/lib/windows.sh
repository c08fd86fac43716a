# SPDX-License-Identifier: MIT
# The ROM library as Windows programs: cross-built with MinGW-w64 and run under Wine by CTest.
# Sourced by scripts/test after lib/common.sh and lib/suites.sh:
#   vorn_windows_prepare        installs what is missing and builds GoogleTest for Windows once
#   vorn_suite windows "$VORN_WINDOWS_BUILD/rom" "${VORN_WINDOWS_OPTIONS[@]}"
#   vorn_windows_stop           stops the suite's Wine server
#   vorn_windows_editor_suite   the editor for Windows, or its suites skipped (below)

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

# The editor for Windows, with Qt for Windows (scripts/windows builds it once per machine, see
# qt_windows.sh, which must be sourced too): the window tests as Windows programs under Wine,
# the desktop tests driving the .exe under Wine on Xvfb, and the zip for Windows users. Where
# that Qt is not built yet, they count as skipped, with the command that builds it.
VORN_WINDOWS_EDITOR_SUITES=("the window tests under Wine" "the desktop tests of the .exe under Wine"
                            "the zip for Windows")

vorn_windows_editor_suite() {
    local build="$VORN_WINDOWS_BUILD/editor" what prefix
    if ! vorn_qt_windows_ready; then
        for what in "${VORN_WINDOWS_EDITOR_SUITES[@]}"; do
            VORN_SKIPPED=$((VORN_SKIPPED + 1))
            VORN_SKIPS+=("  $what (windows-editor): Qt for Windows is not built on this machine yet: bash scripts/windows, about 50 minutes once")
        done
        VORN_TIMES+=("  windows-editor skipped: Qt for Windows is not built yet")
        echo "Suite windows-editor skipped: Qt for Windows is not built on this machine yet"
        return 0
    fi
    vorn_suite windows-editor "$build" -DCMAKE_TOOLCHAIN_FILE="$VORN_WINDOWS_TOOLCHAIN" \
        -DCMAKE_BUILD_TYPE=Release -DVORN_BUILD_TESTS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
        -DVORN_WINDOWS_QT="$(vorn_qt_windows_dir)"
    for prefix in "$build"/wine-prefix*; do
        [ -d "$prefix" ] || continue
        WINEPREFIX=$prefix "$VORN_ROOT/cmake/wine-run.sh" --stop >/dev/null 2>&1 || true
    done
}
