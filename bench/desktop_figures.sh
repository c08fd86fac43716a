#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The editor as a person starts and uses it, under Xvfb: the time from starting the process
# to its main window on screen (the median of five starts), and the peak memory, measured
# with /usr/bin/time -v while the sample image is opened, room 5 loaded and its enemy list
# opened in the enemy editor.
#
#   desktop_figures.sh <vorn-header-editor> <make-sample-rom> <layout.txt>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
work_shots=$(mktemp -d)
e2e_setup desktop_figures "$1" "$2" "$3" "$work_shots"


rom="$E2E_WORK/sample.gba"
"$E2E_MAKE_ROM" "$rom"
e2e_start_x

# Start-up: from the start of the process to its main window being viewable, polled every
# 5 ms.
starts=()
for _ in 1 2 3 4 5; do
    begin=$(date +%s%N)
    # Its output is kept, so that a start that fails says why (e2e_fail prints it).
    HOME="$E2E_WORK" XDG_RUNTIME_DIR="$E2E_WORK" QT_QPA_PLATFORM=xcb "$E2E_EDITOR" \
        >"$E2E_WORK/editor-startup.log" 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name "^$E2E_TITLE\$" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || e2e_fail "the editor ended before its window showed"
        [ $((($(date +%s%N) - begin) / 1000000000)) -lt "$E2E_WAIT_WINDOW" ] ||
            e2e_fail "no main window within $E2E_WAIT_WINDOW s"
        sleep 0.005
    done
    starts+=($((($(date +%s%N) - begin) / 1000000)))
    kill -TERM "$pid"
    wait "$pid" 2>/dev/null || true
done
median=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3p)
echo "start-up to the shown main window: ${median} ms (median of ${starts[*]} ms)"
e2e_start_editor "$E2E_WORK/home" /usr/bin/time -v -o "$E2E_WORK/time.txt"
e2e_open_rom "$rom"
e2e_expect_message "Rom Loaded"
e2e_main_fill "${ROOM[@]}" 5
e2e_main_click "${LOAD[@]}"
e2e_main_click "${FOLLOW_OFFSET1[@]}"
e2e_expect_message "3A0140"
e2e_wait_window "EnemyEditor"
# End the editor itself (time's child); time then writes its report and ends.
editor=$(pgrep -P "$E2E_EDITOR_PID" | head -n 1)
kill -TERM "$editor"
wait "$E2E_EDITOR_PID" 2>/dev/null || true
E2E_EDITOR_PID=""
rmdir "$work_shots" 2>/dev/null || true
sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): /peak memory (maximum resident set size): /p' \
    "$E2E_WORK/time.txt" | sed 's/$/ KiB/'
