#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine: CTest's emulator for the Windows build.
#   wine-run.sh PROGRAM.exe [ARGS...]                     as this user, in $WINEPREFIX
#   wine-run.sh --as-another-user PROGRAM.exe [ARGS...]   as the unprivileged user nobody, in
#                                                          a Wine prefix of its own (root only;
#                                                          an ordinary user is told to skip, 77)
#   wine-run.sh --stop                                     stops this user's Wine server
#
# Wine's background server and its helper programs, when a program starts them, inherit the
# program's output. CTest reads that output to its end, so every test would wait for them to
# exit (seconds or a minute after the program), or hang. So they are started here once, with
# their output closed, under a lock so that tests running side by side start one server
# between them; it ends by itself a minute after its last program, or at --stop.
set -euo pipefail

wine=${VORN_WINE:-/usr/lib/wine/wine64}
wineserver=${VORN_WINESERVER:-/usr/lib/wine/wineserver64}
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine}
export WINEDEBUG=${WINEDEBUG:--all}
# Wine maps Windows file names to Unix ones through the locale's character set; with none set
# (a fresh system) it is ASCII, and a non-ASCII name cannot be opened. Every Debian has
# C.UTF-8, and the Unix side of every file name here is UTF-8.
export LC_ALL=C.UTF-8
unset LANGUAGE
# Wine keeps variables named QT_* away from Windows programs (set for the system's own Qt,
# they could upset a Windows one) unless they are given as WINEQT_*; here they are meant for
# the program (QT_QPA_PLATFORM=offscreen, QT_PLUGIN_PATH).
for name in $(compgen -e); do
    case $name in QT_*) export "WINE$name=${!name}" ;; esac
done
# No offer to install Mono or Gecko: the programs need neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Starts the server if none runs for the prefix. A new server's first program starts Wine's
# own helper programs (services, devices, the desktop), which live as long as the server and
# would hold the output too: wineboot starts them here, with the output closed (and makes the
# prefix on first use). Nothing started here may keep the lock's descriptor (9), or the next
# program would wait for the lock as long as the server lives.
start_server() {
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        # 0: started here; 2: one runs already, and so do its helpers.
        if "$wineserver" -p60 </dev/null >/dev/null 2>&1 9>&-; then
            "$wine" wineboot </dev/null >/dev/null 2>&1 9>&-
        fi
    ) 9>"$WINEPREFIX/.vorn-wine-lock"
}

run_as_another_user() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "Skipped: this user is an ordinary one already, so the first run had these cases."
        exit 77
    fi
    local program=$1
    shift
    # Everything that user needs lies in a folder of its own: the program, this script and
    # the prefix (the build tree may be closed to other users).
    local home
    home=$(mktemp -d "${TMPDIR:-/tmp}/vorn-wine-XXXXXX")
    cp "$program" "${BASH_SOURCE[0]}" "$home/"
    chown -R 65534:65534 "$home"
    as_nobody() {
        setpriv --reuid=65534 --regid=65534 --clear-groups -- \
            env HOME="$home" WINEPREFIX="$home/prefix" "$@"
    }
    local status=0
    as_nobody bash "$home/$(basename "${BASH_SOURCE[0]}")" \
        "$home/$(basename "$program")" "$@" || status=$?
    as_nobody "$wineserver" -k </dev/null >/dev/null 2>&1 || true
    as_nobody "$wineserver" -w </dev/null >/dev/null 2>&1 || true
    rm -rf "$home"
    exit "$status"
}

case "${1:-}" in
    --stop)
        "$wineserver" -k </dev/null >/dev/null 2>&1 || true
        "$wineserver" -w </dev/null >/dev/null 2>&1 || true
        ;;
    --as-another-user)
        shift
        run_as_another_user "$@"
        ;;
    *)
        start_server
        exec "$wine" "$@"
        ;;
esac
