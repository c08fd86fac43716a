# The ROM library as Windows programs: cross-built with MinGW-w64 and run under Wine by CTest.
# Sourced by scripts/test after lib/common.sh:
#   vorn_windows_build          installs what is missing and builds (warnings are errors)
#   vorn_windows_test           runs the suite under Wine; fails when a case fails
# Each prints how long its steps took.

VORN_WINDOWS_BUILD="$VORN_ROOT/build/windows"
VORN_WINDOWS_TOOLCHAIN="$VORN_ROOT/cmake/mingw-w64-x86_64.cmake"

vorn_seconds_since() {
    echo "$(($(date +%s) - $1)) s"
}

vorn_windows_build() {
    local start
    start=$(date +%s)
    # The MinGW-w64 compilers (posix threads, for std::thread), Wine, and GoogleTest's source.
    vorn_ensure_packages g++-mingw-w64-x86-64-posix wine64 googletest
    local installed
    installed=$(vorn_seconds_since "$start")

    # Debian ships GoogleTest for Linux only: build it once from its source for Windows.
    start=$(date +%s)
    local gtest="$VORN_WINDOWS_BUILD/googletest-install"
    if [ ! -f "$gtest/lib/libgtest.a" ]; then
        cmake -S /usr/src/googletest -B "$VORN_WINDOWS_BUILD/googletest" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$VORN_WINDOWS_TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
            -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest" >/dev/null
        cmake --build "$VORN_WINDOWS_BUILD/googletest" >/dev/null
        cmake --install "$VORN_WINDOWS_BUILD/googletest" >/dev/null
    fi
    local googletest
    googletest=$(vorn_seconds_since "$start")

    start=$(date +%s)
    cmake -S "$VORN_ROOT" -B "$VORN_WINDOWS_BUILD/rom" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$VORN_WINDOWS_TOOLCHAIN" -DCMAKE_BUILD_TYPE=Debug \
        -DVORN_ROM_ONLY=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
        -DGTest_DIR="$gtest/lib/cmake/GTest" >/dev/null
    cmake --build "$VORN_WINDOWS_BUILD/rom"
    echo "Windows build: packages $installed, GoogleTest $googletest," \
        "ROM library and tests $(vorn_seconds_since "$start")"
}

vorn_windows_test() {
    local start status=0
    start=$(date +%s)
    (cd "$VORN_WINDOWS_BUILD/rom" && ctest --output-on-failure --timeout 600) || status=1
    WINEPREFIX="$VORN_WINDOWS_BUILD/rom/wine-prefix" "$VORN_ROOT/cmake/wine-run.sh" --stop
    echo "Windows tests under Wine: $(vorn_seconds_since "$start")"
    return "$status"
}
