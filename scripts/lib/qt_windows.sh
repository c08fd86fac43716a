# SPDX-License-Identifier: MIT
# Qt for Windows, built once per machine: Debian packages no Qt for MinGW-w64, but its own
# qt6-base source (the version the Linux build uses) cross-builds with the host tools of the
# installed Qt. The result is kept in a cache folder outside the clone, keyed by the Qt version
# and the toolchain, and reused by every later run. Needs common.sh.
#
#   vorn_qt_windows_dir         prints the cache folder (whether it is built or not)
#   vorn_qt_windows_ready       true when Qt for Windows is built and installed there
#   vorn_qt_windows_build       fetches, configures, builds and installs it (tens of minutes)

VORN_QT_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools dpkg-dev
                          ninja-build cmake)

vorn_qt_windows_dir() {
    local qt toolchain
    qt=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null | sed 's/[+~].*//')
    toolchain=$(x86_64-w64-mingw32-g++-posix -dumpversion 2>/dev/null || echo none)
    printf '%s\n' \
        "${XDG_CACHE_HOME:-$HOME/.cache}/vorn-header-editor/qt-${qt:-none}-mingw-w64-gcc-$toolchain"
}

vorn_qt_windows_ready() {
    [ -f "$(vorn_qt_windows_dir)/.vorn-complete" ]
}

# The source of the installed Qt's version, through apt with a source list of our own: the
# system's apt sources stay as they are.
vorn_qt_windows_fetch() {
    local work=$1 version apt_dir
    version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    apt_dir="$work/apt"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d"
    local uri suites
    uri=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
    uri=${uri:-http://deb.debian.org/debian}
    suites=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "deb-src $uri ${suites:-bookworm} main" >"$apt_dir/sources.list"
    local options=(-o Dir::Etc::SourceList="$apt_dir/sources.list"
                   -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
                   -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache"
                   -o APT::Sandbox::User="$(id -un)")
    apt-get "${options[@]}" update -q &&
        (cd "$work" && apt-get "${options[@]}" source -q --download-only "qt6-base=$version") &&
        rm -rf "$work/source" &&
        dpkg-source --no-check -x "$work"/qt6-base_*.dsc "$work/source"
}

# How Qt for Windows is configured, besides where its source, build and install lie: shared
# release libraries for MinGW-w64 with the C and C++ runtimes linked in, and only what the
# editor and its tests use: Core, Gui, Widgets, Test, and the windows and offscreen platform
# plugins. Debian's source drops the tablet (wintab) headers, which the Windows plugin wants
# unless tablets and Direct2D are off; without Direct2D the DirectWrite font database is left
# out too; Debian's cross patch turns androiddeployqt on.
vorn_qt_windows_options() {
    printf '%s\n' \
        -DCMAKE_TOOLCHAIN_FILE="$VORN_ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_SHARED_LINKER_FLAGS=-static -DCMAKE_MODULE_LINKER_FLAGS=-static \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_printsupport=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF \
        -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF -DFEATURE_androiddeployqt=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_jpeg=OFF \
        -DFEATURE_gif=OFF -DFEATURE_sql_sqlite=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
        -DFEATURE_openssl=OFF -DFEATURE_zstd=OFF
}

vorn_qt_windows_configure() {
    local source=$1 build=$2 prefix=$3 options
    mapfile -t options < <(vorn_qt_windows_options)
    cmake -S "$source" -B "$build" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}"
}

# Qt's licence texts, Debian's account of every licence in its source, and a note of where
# the source comes from and how it was configured: what the zip for Windows users ships
# beside the Qt DLLs (in <prefix>/licenses).
vorn_qt_windows_licenses() {
    local source=$1 prefix=$2 version
    version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    mkdir -p "$prefix/licenses" &&
        cp "$source"/LICENSES/*.txt "$prefix/licenses/" &&
        cp "$source/debian/copyright" "$prefix/licenses/debian-copyright.txt" &&
        {
            echo "The Qt DLLs and the platform plugin beside the program are Qt ${version%%[+~]*}"
            echo "(Core, Gui, Widgets), under the GNU LGPL version 3 (LGPL-3.0-only.txt), built"
            echo "from Debian's qt6-base source package, version $version, as Debian patches it:"
            echo "    apt-get source qt6-base=$version"
            echo "    (or https://sources.debian.org/src/qt6-base/$version/)"
            echo "cross-built for 64-bit Windows with Debian's MinGW-w64 (GCC" \
                "$(x86_64-w64-mingw32-g++-posix -dumpversion)) and the editor's toolchain file,"
            echo "configured with:"
            echo "    cmake -G Ninja \\"
            vorn_qt_windows_options | sed "s|$VORN_ROOT/||; s/^/        /; \$!s/\$/ \\\\/"
            echo "debian-copyright.txt lists the licence of every part of that source."
        } >"$prefix/licenses/qt-source.txt"
}

# Builds in the background of this shell and prints, every minute, how far it is and how long
# it will take at the pace so far.
vorn_qt_windows_make() {
    local build=$1 log=$2
    nice -n 5 cmake --build "$build" >>"$log" 2>&1 &
    local pid=$! start=$SECONDS done total elapsed
    while kill -0 "$pid" 2>/dev/null; do
        sleep 60 &
        wait $! || true
        read -r done total < <(grep -o '^\[[0-9]*/[0-9]*\]' "$log" | tail -n 1 | tr -d '[]' |
            tr '/' ' ') || true
        [ -n "${done:-}" ] && [ "${done:-0}" -gt 0 ] || continue
        elapsed=$((SECONDS - start))
        echo "  Qt for Windows: step $done of $total, about" \
            "$(((elapsed * (total - done) / done + 59) / 60)) minutes left"
    done
    wait "$pid"
}

vorn_qt_windows_build() {
    local prefix work log
    vorn_ensure_packages "${VORN_QT_WINDOWS_PACKAGES[@]}" || return 1
    prefix=$(vorn_qt_windows_dir)
    work="$prefix.work"
    log="$VORN_LOGS/build-qt-windows.log"
    mkdir -p "$work" "$VORN_LOGS"
    : >"$log"
    echo "Building Qt for Windows once into $prefix (log: $(vorn_path "$log"));" \
        "about 50 minutes on two idle cores"
    # A build that was stopped goes on where it was: the source is fetched only once.
    if [ ! -f "$work/source/.vorn-fetched" ]; then
        echo "  fetching Debian's qt6-base source"
        vorn_qt_windows_fetch "$work" >>"$log" 2>&1 && touch "$work/source/.vorn-fetched" || {
            echo "Fetching the Qt source failed; the end of $(vorn_path "$log"):" >&2
            tail -n 10 "$log" | sed 's/^/  /' >&2
            return 1
        }
    fi
    echo "  configuring"
    vorn_qt_windows_configure "$work/source" "$work/build" "$prefix" >>"$log" 2>&1 &&
        echo "  building" && vorn_qt_windows_make "$work/build" "$log" &&
        cmake --install "$work/build" >>"$log" 2>&1 &&
        vorn_qt_windows_licenses "$work/source" "$prefix" >>"$log" 2>&1 || {
        echo "Building Qt for Windows failed; its first errors and the end of" \
            "$(vorn_path "$log"):" >&2
        vorn_first_errors "$log" | sed 's/^/  /' >&2
        tail -n 8 "$log" | sed 's/^/  /' >&2
        return 1
    }
    touch "$prefix/.vorn-complete"
    rm -rf "$work"
    echo "Qt for Windows is built: $prefix"
}
