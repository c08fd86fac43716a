#!/usr/bin/env bash
# Runs a Windows program under Wine: CTest's emulator for the Windows build.
#   wine-run.sh PROGRAM.exe [ARGS...]                     as this user, in $WINEPREFIX
#   wine-run.sh --as-another-user PROGRAM.exe [ARGS...]   as the unprivileged user nobody, in
#                                                          a Wine prefix of its own (root only;
#                                                          an ordinary user is told to skip, 77)
#   wine-run.sh --stop                                     stops this user's Wine server
#
# Wine's background server, when a program starts it, inherits the program's output. CTest
# reads that output to its end, so every test would wait for the server to exit (seconds
# after the program), or hang. So the server is started here once, with its output closed,
# under a lock so that tests running side by side start one between them; it ends by itself
# a minute after its last program, or at --stop.
set -euo pipefail

wine=${VORN_WINE:-/usr/lib/wine/wine64}
wineserver=${VORN_WINESERVER:-/usr/lib/wine/wineserver64}
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No offer to install Mono or Gecko: the programs need neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Starts the server if none runs for the prefix, and makes the prefix on first use (Wine
# starts helper programs for that, which must not hold the output either).
start_server() {
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        "$wineserver" -p60 </dev/null >/dev/null 2>&1 || true  # 2: one runs already
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$wine" wineboot --init </dev/null >/dev/null 2>&1
        fi
    ) 9>"$WINEPREFIX/.vorn-wine-lock"
}

run_as_another_user() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "Skipped: this user is an ordinary one already, and the first run had every case."
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
