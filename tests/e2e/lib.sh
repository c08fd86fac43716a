# SPDX-License-Identifier: MIT
# Shared by the desktop tests; each test script sources it and calls e2e_setup first.
#
# What a test gets here: an X server of its own (Xvfb), the built editor started on it,
# windows found by their captions, clicks at a window's layout coordinates (read from the
# layout file that the build writes from the window classes, and scaled by the window's real
# size), message boxes read through the clipboard and closed with Return, checks of a file's
# bytes, and, on failure, a screenshot kept in the build tree.
#
# Nothing here waits a fixed time for something to happen: every wait polls for what it
# needs and gives up after a bound, which only keeps a hang from lasting forever.
#
# The same scripts drive the editor built for Windows, under Wine, when VORN_E2E_LAUNCHER
# names the command that runs a Windows program (cmake/wine-run.sh): the editor and the
# sample image's maker are started through it, paths are typed as Wine's Z: drive shows
# them, and what Windows does otherwise is handled below, where it happens.

# The test's own tools (xdotool decoding a typed text, xclip) read text in the locale's
# character set; every Debian has C.UTF-8. The editor itself is started with no locale.
export LC_ALL=C.UTF-8
unset LANGUAGE

E2E_TITLE="Vorn-Header Editor"  # the main window's caption, and every message box's

# How long a wait may last, in seconds: far longer than anything takes when it works; only
# a hang or a missing window runs into it.
E2E_WAIT_WINDOW=30
E2E_WAIT_CLIPBOARD=10

# The menu titles stand where the menu bar's font puts them, not in the layout: "File" at
# x 15 and "Help" at x 48 of the main window, in layout pixels.
E2E_FILE_MENU_X=15
HELP_MENU_X=48

# Room 12's header and room 5's enemy list in the sample image.
ROOM12=$((0x340AD4 + 60 * 12))
ROOM5_ENEMIES=$((0x3A0140))

E2E_PIDS=()    # every process started here, stopped on exit (last started, first stopped)
E2E_MOUNTS=()  # file systems mounted here, unmounted on exit
E2E_STEP="setting up"
E2E_RUNS=0
E2E_EDITOR_PID=""
E2E_CLIP_PID=""
E2E_LAUNCHER=${VORN_E2E_LAUNCHER:-}
E2E_LAUNCH=()  # the launcher as a command
E2E_PLATFORM=xcb  # Qt's platform plugin for the editor

# e2e_setup <test name> <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder>
e2e_setup() {
    if [ "$#" -ne 5 ]; then
        echo "usage: $0 <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder>" >&2
        exit 2
    fi
    E2E_NAME=$1
    E2E_EDITOR=$2
    E2E_MAKE_ROM=$3
    E2E_LAYOUT=$4
    E2E_SHOTS=$5
    E2E_SHOT="$E2E_SHOTS/$E2E_NAME-failure.png"
    rm -f "$E2E_SHOT"
    E2E_WORK=$(mktemp -d)
    trap e2e_cleanup EXIT
    # A command that fails unexpectedly (set -e) still says where, and keeps a screenshot.
    set -E
    trap '[ "$BASH_SUBSHELL" -ne 0 ] || e2e_fail "line $LINENO: \"$BASH_COMMAND\" failed (status $?)"' ERR
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
    local tool
    for tool in Xvfb xdotool xclip xprop xwininfo import convert cmp od; do
        command -v "$tool" >/dev/null || e2e_fail "$tool is not installed"
    done
    [ -x "$E2E_EDITOR" ] || e2e_fail "no editor at $E2E_EDITOR"
    [ -x "$E2E_MAKE_ROM" ] || e2e_fail "no make-sample-rom at $E2E_MAKE_ROM"
    e2e_read_layout "$E2E_LAYOUT"
    e2e_name_places
    [ -z "$E2E_LAUNCHER" ] || e2e_windows_setup
}

# The Windows programs: Qt's Windows platform, the sample image's maker run under Wine
# (through a small script in its place, writing to an ASCII name first: a Windows program's
# command line passes through the ANSI code page), and a Wine server of this test's own, as
# a server keeps the X display it started with.
e2e_windows_setup() {
    E2E_PLATFORM=windows
    E2E_LAUNCH=("$E2E_LAUNCHER")
    local maker=$E2E_MAKE_ROM
    E2E_MAKE_ROM="$E2E_WORK/make-sample-rom"
    printf '#!/usr/bin/env bash\nset -e\n%q %q %q >/dev/null\nmv %q "$1"\n' \
        "$E2E_LAUNCHER" "$maker" "Z:$E2E_WORK/made.gba" "$E2E_WORK/made.gba" >"$E2E_MAKE_ROM"
    chmod +x "$E2E_MAKE_ROM"
    "$E2E_LAUNCHER" --stop
}

# e2e_native_path <path>: the path as the editor's system names it (Wine's Z: drive is /).
e2e_native_path() {
    if [ -n "$E2E_LAUNCHER" ]; then echo "Z:${1//\//\\}"; else echo "$1"; fi
}

# --- the layout ---------------------------------------------------------------------------

declare -gA E2E_PLACE E2E_CLIENT

# e2e_read_layout <layout.txt>: the controls' places as the build wrote them from the window
# classes (tools/write_layout.cpp). Sets E2E_PLACE[<window>.<control>] to "x y width height"
# in the window's client area, and E2E_CLIENT[<window>] to "width height".
e2e_read_layout() {
    [ -s "$1" ] || e2e_fail "no layout file at $1"
    local kind window rest name x y width height
    while read -r kind window rest; do
        case $kind in
        window) E2E_CLIENT[$window]=$rest ;;
        control)
            read -r name _ x y width height _ <<<"$rest"
            E2E_PLACE[$window.$name]="$x $y $width $height"
            ;;
        esac
    done < <(tr -d '\r' <"$1")  # the Windows tool ends its lines with CR LF
}

# e2e_place <window> <control>: sets PLACE to the control's "x y width height".
e2e_place() {
    PLACE=${E2E_PLACE[$1.$2]:-}
    [ -n "$PLACE" ] || e2e_fail "the layout has no control $2 in $1"
}

# e2e_point_of <variable> <where> <window> <control>: sets the array variable to a point of
# the control, (x y): its middle, a point on a drop-down's text, or one on its arrow.
e2e_point_of() {
    e2e_place "$3" "$4"
    local x y width height point
    read -r x y width height <<<"$PLACE"
    case $2 in
    middle) point="$((x + width / 2)) $((y + height / 2))" ;;
    text) point="$((x + 12)) $((y + height / 2))" ;;
    arrow) point="$((x + width - 8)) $((y + height / 2))" ;;
    *) e2e_fail "no point \"$2\" of a control" ;;
    esac
    read -r -a "$1" <<<"$point"
}

# Where the tests click, in layout pixels of their window (the main window's below its menu
# bar): a text box in its middle, a drop-down on its text or its arrow, a button in its
# middle; and the client areas' sizes.
e2e_name_places() {
    read -r E2E_MAIN_WIDTH E2E_MAIN_HEIGHT <<<"${E2E_CLIENT[Form1]:-}"
    read -r E2E_ABOUT_WIDTH _ <<<"${E2E_CLIENT[Form2]:-}"
    read -r E2E_ENEMY_WIDTH _ <<<"${E2E_CLIENT[Form3]:-}"
    [ -n "$E2E_MAIN_WIDTH" ] && [ -n "$E2E_ABOUT_WIDTH" ] && [ -n "$E2E_ENEMY_WIDTH" ] ||
        e2e_fail "the layout file lacks a window"
    e2e_point_of ROOM text Form1 cboRoom
    e2e_point_of TILEDATA middle Form1 txtTileData
    e2e_point_of FOREGROUND middle Form1 txtForeground
    e2e_point_of TIDE text Form1 cboTide
    e2e_point_of TIDE_ARROW arrow Form1 cboTide
    e2e_point_of MUSIC text Form1 cboMusic
    e2e_point_of ENEMY_TABLE1 middle Form1 txtEnTable1
    e2e_point_of FOLLOW_OFFSET1 middle Form1 cmdRepoint1
    e2e_point_of LOAD middle Form1 cmdGetTs
    e2e_point_of SAVE middle Form1 cmdSave
    e2e_place Form3 lstEnemies
    read -r -a ENEMY_LIST <<<"$PLACE"  # x y width height
    e2e_point_of ENEMY_X text Form3 cboX
    e2e_point_of ENEMY_Y text Form3 cboY
    e2e_point_of ENEMY_KIND text Form3 cboEnemy
    e2e_point_of ENEMY_SAVE middle Form3 cmdSave
    e2e_point_of KILL_ME middle Form2 Command1
}

e2e_step() {
    E2E_STEP=$*
    echo "-- [${SECONDS}s] $*"
}

e2e_fail() {
    trap - ERR
    set +e
    echo "FAILED while $E2E_STEP:" >&2
    echo "  $*" >&2
    if [ -n "${DISPLAY:-}" ] && timeout 20 import -window root "$E2E_SHOT" 2>/dev/null; then
        echo "Screenshot of the X screen: $E2E_SHOT" >&2
    fi
    local log
    for log in "$E2E_WORK"/editor-*.log; do
        if [ -s "$log" ]; then
            echo "--- ${log##*/} (last 40 lines) ---" >&2
            tail -n 40 "$log" >&2
        fi
    done
    exit 1
}

# --- processes --------------------------------------------------------------------------

# Whether pid is a live (not yet reaped, not zombie) child of this shell.
e2e_is_child() {
    local ppid state
    ppid=$(sed -n 's/^PPid:[[:space:]]*//p' "/proc/$1/status" 2>/dev/null) || return 1
    [ "$ppid" = "$BASHPID" ] || return 1
    state=$(sed -n 's/^State:[[:space:]]*//p' "/proc/$1/status" 2>/dev/null) || return 1
    [ "${state:0:1}" != "Z" ]
}

# Stops one process this shell started: TERM, then KILL after 5 s.
e2e_stop() {
    local pid=$1
    [ -n "$pid" ] || return 0
    if e2e_is_child "$pid"; then
        kill -TERM "$pid" 2>/dev/null || true
        local until=$((SECONDS + 5))
        while [ "$SECONDS" -le "$until" ]; do
            e2e_is_child "$pid" || break
            sleep 0.1
        done
        if e2e_is_child "$pid"; then
            kill -KILL "$pid" 2>/dev/null || true
        fi
    fi
    wait "$pid" 2>/dev/null || true
}

e2e_cleanup() {
    local status=$? i
    set +e
    trap - EXIT
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        e2e_stop "${E2E_PIDS[i]}"
    done
    [ -z "$E2E_LAUNCHER" ] || "$E2E_LAUNCHER" --stop
    for ((i = ${#E2E_MOUNTS[@]} - 1; i >= 0; i--)); do
        umount "${E2E_MOUNTS[i]}" 2>/dev/null || umount -l "${E2E_MOUNTS[i]}" 2>/dev/null
    done
    # A mount that could not go is left alone rather than emptied.
    rm -rf --one-file-system "$E2E_WORK"
    exit "$status"
}

# e2e_start_x [Xvfb options...]: an X server of this test's own; sets DISPLAY.
e2e_start_x() {
    local displayfile="$E2E_WORK/display" until
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" \
        3>"$displayfile" >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_PIDS+=("$!")
    local xvfb=$!
    # Xvfb picks a free display itself and writes its number once it accepts clients.
    until=$((SECONDS + E2E_WAIT_WINDOW))
    while [ "$SECONDS" -le "$until" ]; do
        [ -s "$displayfile" ] && break
        e2e_is_child "$xvfb" || e2e_fail "Xvfb ended: $(cat "$E2E_WORK/xvfb.log")"
        sleep 0.05
    done
    [ -s "$displayfile" ] || e2e_fail "Xvfb did not start within $E2E_WAIT_WINDOW s"
    export DISPLAY=":$(head -n 1 "$displayfile")"
    echo "X server on $DISPLAY"
}

# e2e_start_editor <home folder> [command that runs the editor as another user...]
# Starts the editor with its own home and runtime folders (so that nothing of the caller's
# home is read or written) and waits for its main window; sets E2E_MAIN and E2E_MENU.
e2e_start_editor() {
    local home=$1
    shift
    E2E_RUNS=$((E2E_RUNS + 1))
    E2E_LOG="$E2E_WORK/editor-$E2E_RUNS.log"
    mkdir -p "$home/run" "$home/config" "$home/cache" "$home/data"
    chmod 0700 "$home/run"
    # Qt's own file dialog and widgets everywhere: no platform theme of the caller's desktop.
    # No locale either, as on a fresh system: the editor must not need one.
    env -u LANG -u LANGUAGE -u LC_ALL -u LC_CTYPE -u LC_MESSAGES -u LC_COLLATE \
        -u QT_QPA_PLATFORMTHEME -u QT_STYLE_OVERRIDE -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS \
        -u QT_ENABLE_HIGHDPI_SCALING -u QT_FONT_DPI -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION \
        -u SESSION_MANAGER -u XAUTHORITY \
        QT_QPA_PLATFORM=$E2E_PLATFORM HOME="$home" XDG_RUNTIME_DIR="$home/run" \
        XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" XDG_DATA_HOME="$home/data" \
        ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$@" "${E2E_LAUNCH[@]}" "$E2E_EDITOR" >"$E2E_LOG" 2>&1 &
    E2E_EDITOR_PID=$!
    E2E_PIDS+=("$E2E_EDITOR_PID")
    E2E_MAIN=""
    # A sanitized build on a busy machine takes a while to start.
    e2e_wait_window "$E2E_TITLE" $((2 * E2E_WAIT_WINDOW))
    E2E_MAIN=$WIN
    e2e_geometry "$E2E_MAIN" || e2e_fail "the main window went away"
    # The client area lies below the menu bar, whose height follows the font.
    E2E_MENU=$((HEIGHT * E2E_MAIN_WIDTH / WIDTH - E2E_MAIN_HEIGHT))
    if [ "$E2E_MENU" -lt 5 ] || [ "$E2E_MENU" -gt 80 ]; then
        e2e_fail "the main window is ${WIDTH}x$HEIGHT: no menu bar above a" \
            "${E2E_MAIN_WIDTH}x$E2E_MAIN_HEIGHT client area"
    fi
}

# Fails unless the editor is still running.
e2e_alive() {
    [ -n "$E2E_EDITOR_PID" ] || return 0
    if ! e2e_is_child "$E2E_EDITOR_PID"; then
        local status=0
        wait "$E2E_EDITOR_PID" 2>/dev/null || status=$?
        E2E_EDITOR_PID=""
        e2e_fail "the editor ended (exit status $status); its output is below"
    fi
}

# Checks that the editor still runs and reported no memory or undefined-behaviour error,
# then stops it.
e2e_finish_editor() {
    e2e_alive
    e2e_no_message
    e2e_stop "$E2E_EDITOR_PID"
    E2E_EDITOR_PID=""
    if grep -qE 'ERROR: AddressSanitizer|runtime error:' "$E2E_LOG"; then
        e2e_fail "the sanitizers reported an error in the editor"
    fi
}

# --- windows ----------------------------------------------------------------------------

# e2e_geometry <window>: sets X Y WIDTH HEIGHT (root coordinates); fails for a gone window.
e2e_geometry() {
    local shell
    shell=$(timeout 10 xdotool getwindowgeometry --shell "$1" 2>/dev/null) || return 1
    [ -n "$shell" ] || return 1
    eval "$shell"
}

e2e_viewable() {
    timeout 10 xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

e2e_is_dialog() {
    if [ -n "$E2E_LAUNCHER" ]; then
        # Wine marks a window as a dialog only when it has no frame to resize it by, and a
        # message box has one: every window of the program but its pop-ups (which bypass
        # the window manager) and the main window is taken for one.
        ! timeout 10 xwininfo -id "$1" 2>/dev/null | grep -q 'Override Redirect State: yes'
    else
        timeout 10 xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null |
            grep -q _NET_WM_WINDOW_TYPE_DIALOG
    fi
}

# Prints the ids of the visible windows with exactly this caption (Qt also makes 1x1 ones).
e2e_windows_named() {
    local id
    for id in $(timeout 10 xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        if e2e_geometry "$id" && [ "$WIDTH" -gt 1 ]; then
            echo "$id"
        fi
    done
}

# Prints the ids of the message boxes on screen.
e2e_message_boxes() {
    local id
    for id in $(e2e_windows_named "$E2E_TITLE"); do
        if [ "$id" != "$E2E_MAIN" ] && e2e_is_dialog "$id"; then
            echo "$id"
        fi
    done
}

# e2e_wait_window <caption> [seconds]: sets WIN to such a window (not the main one), waiting
# for it.
e2e_wait_window() {
    local id wait=${2:-$E2E_WAIT_WINDOW}
    local until=$((SECONDS + wait))
    while [ "$SECONDS" -le "$until" ]; do
        e2e_alive
        for id in $(e2e_windows_named "$1"); do
            if [ "$id" != "${E2E_MAIN:-}" ]; then
                WIN=$id
                return 0
            fi
        done
        sleep 0.1
    done
    e2e_fail "no window \"$1\" appeared within $wait s"
}

# e2e_wait_gone <window> <what>: waits for the window to leave the screen.
e2e_wait_gone() {
    local until=$((SECONDS + E2E_WAIT_WINDOW))
    while [ "$SECONDS" -le "$until" ]; do
        e2e_viewable "$1" || return 0
        e2e_alive
        sleep 0.1
    done
    e2e_fail "$2 is still on screen after $E2E_WAIT_WINDOW s"
}

# e2e_wait_focus <window>: waits for the window to hold the keyboard focus; keys typed
# before that would go to the window that had it.
e2e_wait_focus() {
    local until=$((SECONDS + E2E_WAIT_WINDOW)) given=""
    while [ "$SECONDS" -le "$until" ]; do
        [ "$(timeout 10 xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        e2e_alive
        if [ -n "$E2E_LAUNCHER" ] && [ -z "$given" ] && e2e_viewable "$1"; then
            # No window manager runs here, and Wine leaves the X focus to one: a window it
            # shows or activates asks for the focus but never takes it. The test gives it, as
            # a window manager would; Wine then activates the window that got it.
            timeout 10 xdotool windowfocus "$1" 2>/dev/null || true
            given=1
        fi
        sleep 0.1
    done
    e2e_fail "window $1 ($(timeout 10 xdotool getwindowname "$1" 2>/dev/null)) did not get" \
        "the keyboard focus"
}

e2e_expect_viewable() {
    e2e_viewable "$1" || e2e_fail "$2 is not on screen"
}

# --- input ------------------------------------------------------------------------------

e2e_xdotool() {
    timeout 20 xdotool "$@" || e2e_fail "xdotool $* failed"
}

# e2e_click_root <x> <y>: moves the pointer there (waiting until it is there) and clicks.
e2e_click_root() {
    local shell X Y SCREEN WINDOW
    shell=$(timeout 10 xdotool getmouselocation --shell 2>/dev/null) || e2e_fail "no pointer"
    eval "$shell"
    # "--sync" would wait for a move that does not happen when the pointer is there already.
    if [ "$X" != "$1" ] || [ "$Y" != "$2" ]; then
        e2e_xdotool mousemove --sync "$1" "$2"
    fi
    e2e_xdotool click 1
}

# e2e_point <window> <layout width> <x> <y>: sets PX PY, the root position of a layout point.
e2e_point() {
    e2e_geometry "$1" || e2e_fail "window $1 is gone"
    PX=$((X + $3 * WIDTH / $2))
    PY=$((Y + $4 * WIDTH / $2))
}

# e2e_click <window> <layout width> <x> <y>: one left click, as a person makes it.
e2e_click() {
    e2e_point "$@"
    e2e_click_root "$PX" "$PY"
}

# e2e_click_focus: e2e_click, then waits for the window to have the keyboard.
e2e_click_focus() {
    e2e_click "$@"
    e2e_wait_focus "$1"
}

# Clicks in the main window's client area (below the menu bar).
e2e_main_click() {
    e2e_click "$E2E_MAIN" "$E2E_MAIN_WIDTH" "$1" $((E2E_MENU + $2))
}

e2e_keys() {
    e2e_xdotool key --delay 30 "$@"
}

e2e_type() {
    e2e_xdotool type --delay 30 "$1"
}

# e2e_type_path <path>: a path typed into a file dialog. Under Wine a path that is not ASCII
# is pasted instead: xdotool types a character that is on no key of the keyboard by putting
# it on a spare key for the moment, and Wine reads keys through the table it made of the
# keyboard at its start, in which that key has no character.
e2e_type_path() {
    if [ -n "$E2E_LAUNCHER" ] && LC_ALL=C grep -q '[^ -~]' <<<"$1"; then
        echo "   (pasted, not typed, under Wine: $1)"
        e2e_clip_put "$1"
        e2e_keys ctrl+v
    else
        e2e_type "$1"
    fi
}

# e2e_fill <window> <layout width> <x> <y> <text>: clicks into a text field, selects what it
# holds and types the text over it.
e2e_fill() {
    e2e_click_focus "$1" "$2" "$3" "$4"
    e2e_keys ctrl+a
    e2e_type "$5"
}

e2e_main_fill() {
    e2e_fill "$E2E_MAIN" "$E2E_MAIN_WIDTH" "$1" $((E2E_MENU + $2)) "$3"
}

# Prints the ids of the pop-ups on screen (menus, drop-down lists): mapped windows that
# bypass the window manager, straight under the root window (Wine keeps a 1x1 one mapped).
e2e_popups() {
    local id
    for id in $(timeout 10 xwininfo -root -children 2>/dev/null |
        sed -n 's/^ *\(0x[0-9a-fA-F]*\) .*/\1/p'); do
        timeout 10 xwininfo -id "$id" 2>/dev/null |
            grep -q 'Override Redirect State: yes' || continue
        e2e_viewable "$id" && e2e_geometry "$id" && [ "$WIDTH" -gt 1 ] && echo "$id"
    done
}

# Waits for a pop-up; sets POPUP.
e2e_wait_popup() {
    local id until=$((SECONDS + E2E_WAIT_WINDOW))
    POPUP=""
    while [ "$SECONDS" -le "$until" ]; do
        e2e_alive
        for id in $(e2e_popups); do
            POPUP=$id
        done
        [ -n "$POPUP" ] && return 0
        sleep 0.1
    done
    e2e_fail "no menu or list opened within $E2E_WAIT_WINDOW s"
}

# e2e_click_popup_row <row> <rows>: clicks the middle of a row of the pop-up in POPUP, whose
# rows share its height evenly.
e2e_click_popup_row() {
    e2e_geometry "$POPUP" || e2e_fail "the pop-up went away"
    e2e_click_root $((X + WIDTH / 2)) $((Y + HEIGHT * (2 * $1 + 1) / (2 * $2)))
    e2e_wait_gone "$POPUP" "the pop-up"
}

# e2e_menu <title x> <item> <items>: opens a menu of the main window's menu bar by clicking
# its title, then clicks the item (0 is the first) once the menu is on screen.
e2e_menu() {
    e2e_click "$E2E_MAIN" "$E2E_MAIN_WIDTH" "$1" $((E2E_MENU / 2))
    e2e_wait_popup
    e2e_click_popup_row "$2" "$3"
}

# File > Open, then the path typed into the dialog's file name field and Return.
e2e_open_rom() {
    e2e_menu "$E2E_FILE_MENU_X" 0 2
    e2e_wait_window "Open Romfile"
    local dialog=$WIN
    e2e_wait_focus "$dialog"
    e2e_type_path "$(e2e_native_path "$1")"
    e2e_keys Return
    e2e_wait_gone "$dialog" "the Open Romfile dialog"
}

# --- the clipboard ------------------------------------------------------------------------

# Puts a text of our own on the clipboard, so that a copy that did not happen is seen.
e2e_clip_mark() {
    E2E_MARK="nothing-was-copied-$RANDOM$RANDOM"
    e2e_clip_put "$E2E_MARK"
}

# e2e_clip_put <text>: puts the text on the clipboard, as another program copies it.
e2e_clip_put() {
    e2e_stop "$E2E_CLIP_PID"
    # xclip keeps the clipboard until another program takes it, then ends by itself.
    printf '%s' "$1" | xclip -i -selection clipboard -quiet >/dev/null 2>&1 &
    E2E_CLIP_PID=$!
    E2E_PIDS+=("$E2E_CLIP_PID")
    local until=$((SECONDS + E2E_WAIT_CLIPBOARD))
    while [ "$SECONDS" -le "$until" ]; do
        [ "$(timeout 10 xclip -o -selection clipboard 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    e2e_fail "could not put a text on the clipboard"
}

# Waits for the clipboard to hold something else than the mark; sets CLIP.
e2e_clip_read() {
    local until=$((SECONDS + E2E_WAIT_CLIPBOARD))
    while [ "$SECONDS" -le "$until" ]; do
        if CLIP=$(timeout 10 xclip -o -selection clipboard 2>/dev/null) &&
            [ "$CLIP" != "$E2E_MARK" ]; then
            return 0
        fi
        e2e_alive
        sleep 0.1
    done
    return 1
}

# e2e_field <window> <layout width> <x> <y> <what>: the text of a text field or of an
# editable drop-down, copied as a person copies it (click, Ctrl+A, Ctrl+C); sets FIELD.
# The copy is also how a test knows that every earlier click has been handled.
e2e_field() {
    e2e_clip_mark
    e2e_click_focus "$1" "$2" "$3" "$4"
    e2e_keys ctrl+a ctrl+c
    e2e_clip_read || e2e_fail "could not copy the text of $5 (is a message box in the way?)"
    FIELD=$CLIP
}

e2e_main_field() {
    e2e_field "$E2E_MAIN" "$E2E_MAIN_WIDTH" "$1" $((E2E_MENU + $2)) "$3"
}

# e2e_expect_field <window> <layout width> <x> <y> <what> <expected text>
e2e_expect_field() {
    e2e_field "$1" "$2" "$3" "$4" "$5"
    [ "$FIELD" = "$6" ] || e2e_fail "$5 shows \"$FIELD\", expected \"$6\""
}

e2e_expect_main_field() {
    e2e_expect_field "$E2E_MAIN" "$E2E_MAIN_WIDTH" "$1" $((E2E_MENU + $2)) "$3" "$4"
}

# --- message boxes ----------------------------------------------------------------------

# Waits for a message box, copies its text (click on the text, Ctrl+A, Ctrl+C) into MSG and
# closes it with Return.
e2e_read_message() {
    local box="" id until=$((SECONDS + E2E_WAIT_WINDOW))
    while [ "$SECONDS" -le "$until" ]; do
        e2e_alive
        for id in $(e2e_message_boxes); do
            box=$id
        done
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || e2e_fail "no message box appeared within $E2E_WAIT_WINDOW s"
    e2e_wait_focus "$box"
    e2e_clip_mark
    # The text starts near the box's top left corner, in every message box; 40 by 17 layout
    # pixels from it lies on the text, at the main window's scale.
    e2e_geometry "$E2E_MAIN" || e2e_fail "the main window went away"
    local scaled=$WIDTH
    e2e_geometry "$box" || e2e_fail "the message box went away"
    e2e_click_root $((X + 40 * scaled / E2E_MAIN_WIDTH)) $((Y + 17 * scaled / E2E_MAIN_WIDTH))
    e2e_keys ctrl+a ctrl+c
    e2e_clip_read || e2e_fail "could not copy the text of the message box"
    MSG=$CLIP
    e2e_keys Return
    e2e_wait_gone "$box" "the message box \"$MSG\""
}

# e2e_expect_message <text>: a message box with exactly this text comes, and is closed.
e2e_expect_message() {
    e2e_read_message
    if [ "$MSG" != "$1" ]; then
        e2e_fail "$(printf 'the message box says:\n%s\n  expected:\n%s' "$MSG" "$1")"
    fi
    echo "   message: ${MSG//$'\n'/ }"
}

# Fails if a message box is on screen.
e2e_no_message() {
    local id
    for id in $(e2e_message_boxes); do
        e2e_read_message
        e2e_fail "an unexpected message box says: $MSG"
    done
}

# --- the enemy list -----------------------------------------------------------------------

# e2e_list_rows <window> <layout width> <list x> <list y> <list width> <list height>: finds
# the rows of a list whose first row is selected, from the selection's highlight; sets
# ROW_TOP (window pixels, from the window's top) and ROW_HEIGHT (pixels).
e2e_list_rows() {
    e2e_geometry "$1" || e2e_fail "window $1 is gone"
    local column=$(($3 * WIDTH / $2 + $5 * WIDTH / $2 * 3 / 4))
    local top=$(($4 * WIDTH / $2)) height=$(($6 * WIDTH / $2))
    local pixels
    pixels=$(timeout 20 import -window "$1" png:- | convert png:- -crop "1x$height+$column+$top" \
        +repage txt:-) || e2e_fail "could not take a picture of window $1"
    # One line a pixel: "0,<y>: (r,g,b)  #RRGGBB ...". Row 0 lies under the list's frame.
    local where colour start="" end="" highlight=""
    while read -r where _ colour _; do
        [ "${where:0:1}" = "#" ] && continue
        where=${where#0,}
        where=${where%:}
        [ "$where" -eq 0 ] && continue
        if [ -z "$start" ]; then
            if [ "$colour" != "#FFFFFF" ]; then
                start=$where
                highlight=$colour
            fi
        elif [ "$colour" != "$highlight" ]; then
            end=$where
            break
        fi
    done <<<"$pixels"
    if [ -z "$start" ] || [ -z "$end" ] || [ "$start" -gt 4 ] || [ $((end - start)) -lt 6 ] ||
        [ $((end - start)) -gt 80 ]; then
        e2e_fail "cannot find the selected first row of the list (start ${start:-?}, end ${end:-?})"
    fi
    ROW_TOP=$((top + start))
    ROW_HEIGHT=$((end - start))
}

# e2e_click_row <window> <row> <list x>: clicks the middle of a row found by e2e_list_rows,
# 20 pixels into the list from its left edge (<list x> in layout pixels).
e2e_click_row() {
    e2e_geometry "$1" || e2e_fail "window $1 is gone"
    local x=$((X + $3 * WIDTH / E2E_ENEMY_WIDTH + 20))
    local y=$((Y + ROW_TOP + $2 * ROW_HEIGHT + ROW_HEIGHT / 2))
    e2e_click_root "$x" "$y"
}

# --- files ------------------------------------------------------------------------------

# e2e_hold_file <file> <none|read-write>: another Windows program (VORN_E2E_HOLD_FILE) opens
# the file for reading and writing and keeps it open, letting others open it too or not,
# until e2e_release_file.
e2e_hold_file() {
    [ -x "${VORN_E2E_HOLD_FILE:-}" ] || e2e_fail "no hold-file program (VORN_E2E_HOLD_FILE)"
    E2E_RELEASE="$E2E_WORK/release-$RANDOM"
    "$E2E_LAUNCHER" "$VORN_E2E_HOLD_FILE" "$(e2e_native_path "$1")" "$2" \
        "$(e2e_native_path "$E2E_RELEASE")" >"$E2E_WORK/hold.log" 2>&1 &
    E2E_HOLD_PID=$!
    E2E_PIDS+=("$E2E_HOLD_PID")
    local until=$((SECONDS + E2E_WAIT_WINDOW))
    while [ "$SECONDS" -le "$until" ]; do
        grep -qs '^holding' "$E2E_WORK/hold.log" && return 0
        e2e_is_child "$E2E_HOLD_PID" || e2e_fail "hold-file ended: $(cat "$E2E_WORK/hold.log")"
        sleep 0.1
    done
    e2e_fail "hold-file did not open $1 within $E2E_WAIT_WINDOW s"
}

e2e_release_file() {
    touch "$E2E_RELEASE"
    local until=$((SECONDS + E2E_WAIT_WINDOW)) status=0
    while [ "$SECONDS" -le "$until" ] && e2e_is_child "$E2E_HOLD_PID"; do
        sleep 0.1
    done
    wait "$E2E_HOLD_PID" || status=$?
    [ "$status" -eq 0 ] || e2e_fail "hold-file ended with status $status"
}

# e2e_changes <before> <after>: one line per changed byte, "OFFSET OLD NEW" in hexadecimal
# (at most 40 lines).
e2e_changes() {
    local position old new
    # cmp's status says whether the files differ; the list itself is what counts here.
    { cmp -l "$1" "$2" 2>/dev/null || true; } | head -n 40 | while read -r position old new; do
        printf '%X %02X %02X\n' $((position - 1)) $((8#$old)) $((8#$new))
    done
}

# e2e_expect_changes <before> <after> <expected lines, or ""> <what>: the file has the same
# size as before and exactly these bytes changed.
e2e_expect_changes() {
    [ -f "$2" ] || e2e_fail "$4: $2 is not a file any more"
    local size_before size_after actual
    size_before=$(stat -c %s "$1")
    size_after=$(stat -c %s "$2")
    [ "$size_before" = "$size_after" ] ||
        e2e_fail "$4: the file's size changed from $size_before to $size_after bytes"
    actual=$(e2e_changes "$1" "$2")
    if [ "$actual" != "$3" ]; then
        e2e_fail "$(printf '%s: changed bytes (offset old new):\n%s\n  expected:\n%s' \
            "$4" "${actual:-(none)}" "${3:-(none)}")"
    fi
}

e2e_expect_unchanged() {
    e2e_expect_changes "$1" "$2" "" "$3"
}

# e2e_bytes <file> <offset> <count>: the bytes as upper-case hexadecimal pairs, "1F 00".
e2e_bytes() {
    local text
    text=$(od -A n -t x1 -j "$2" -N "$3" "$1")
    text=$(echo $text)
    echo "${text^^}"
}

e2e_expect_bytes() {
    local actual
    actual=$(e2e_bytes "$1" "$2" "$3")
    [ "$actual" = "$4" ] || e2e_fail "$5: bytes at $(printf %X "$2") are $actual, expected $4"
}
