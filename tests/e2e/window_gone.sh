#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Another X client destroys a window (not a close: the window is simply no more). The enemy
# editor and the about window open again afterwards. The program ends when its main window is
# gone: destroyed while nothing else is up, while a message box waits, and while the Open
# dialog waits. The editor must end by itself, with status 0, and the image must be as it was.
#
#   window_gone.sh <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder>
set -euo pipefail
if [ -n "${VORN_E2E_LAUNCHER:-}" ]; then
    # The editor for Windows under Wine: Windows lets no other program destroy a window (only
    # the thread that made it can), and Wine does not notice when another X client destroys
    # the X window behind one: the window lives on in Wine, unseen. What another program can
    # do on Windows, a close (WM_CLOSE, taskkill), is the close box the window tests press.
    echo "SKIPPED: on Windows no other program can destroy a window; under Wine, destroying" \
        "its X window leaves the window alive and unseen"
    exit 77
fi
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup e2e_window_gone "$@"

# Destroys the main window as another client would, and waits for the editor to end.
destroy_main_window() {
    e2e_xdotool windowclose "$E2E_MAIN"
    local until=$((SECONDS + E2E_WAIT_WINDOW))
    while [ "$SECONDS" -le "$until" ] && e2e_is_child "$E2E_EDITOR_PID"; do
        sleep 0.1
    done
    e2e_is_child "$E2E_EDITOR_PID" &&
        e2e_fail "the editor still runs $E2E_WAIT_WINDOW s after its main window was destroyed"
    local status=0
    wait "$E2E_EDITOR_PID" || status=$?
    E2E_EDITOR_PID=""
    [ "$status" -eq 0 ] || e2e_fail "the editor ended with status $status"
    if grep -qE 'ERROR: AddressSanitizer|runtime error:' "$E2E_LOG"; then
        e2e_fail "the sanitizers reported an error in the editor"
    fi
}

e2e_start_x
rom="$E2E_WORK/sample.gba"
"$E2E_MAKE_ROM" "$rom"
cp "$rom" "$E2E_WORK/original.gba"

e2e_step "the enemy editor and the about window destroyed, then opened again"
e2e_start_editor "$E2E_WORK/home"
e2e_open_rom "$rom"
e2e_expect_message "Rom Loaded"
e2e_main_fill "${ROOM[@]}" 5
e2e_main_click "${LOAD[@]}"
e2e_main_click "${FOLLOW_OFFSET1[@]}"
e2e_expect_message "3A0140"  # the list's offset
e2e_wait_window "EnemyEditor"
e2e_xdotool windowclose "$WIN"
# Loaded afresh: it reads the list again, and says its offset again.
e2e_main_click "${FOLLOW_OFFSET1[@]}"
e2e_expect_message "3A0140"
e2e_wait_window "EnemyEditor"
e2e_menu "$HELP_MENU_X" 0 1
e2e_wait_window "Form2"
e2e_xdotool windowclose "$WIN"
e2e_menu "$HELP_MENU_X" 0 1
e2e_wait_window "Form2"
e2e_finish_editor

e2e_step "the main window destroyed with nothing else up"
e2e_start_editor "$E2E_WORK/home"
destroy_main_window

e2e_step "the main window destroyed while a message box waits"
e2e_start_editor "$E2E_WORK/home"
e2e_open_rom "$rom"
e2e_expect_message "Rom Loaded"
e2e_main_click "${FOLLOW_OFFSET1[@]}"   # shows the list's offset in a message box
e2e_wait_window "$E2E_TITLE"
destroy_main_window

e2e_step "the main window destroyed while the Open dialog waits"
e2e_start_editor "$E2E_WORK/home"
e2e_menu "$E2E_FILE_MENU_X" 0 2
e2e_wait_window "Open Romfile"
destroy_main_window

e2e_expect_unchanged "$E2E_WORK/original.gba" "$rom" "the image"
echo "e2e_window_gone passed"
