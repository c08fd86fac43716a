#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A person's path through the built editor on an X server of its own, with real clicks and
# keys: File > Open (cancelled, then a sample image with a non-ASCII name), a room loaded,
# edited and saved with the keyboard and with the mouse, the enemy editor, a refused pointer,
# keys with modifiers, Help > About.
# After every save the image's bytes are compared with a copy: exactly the intended bytes
# changed, and nothing else in the whole file.
#
#   desktop.sh <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup e2e_desktop "$@"


enemy_field() {  # enemy_field <x> <y> <what> <expected>
    e2e_expect_field "$ENEMIES" "$E2E_ENEMY_WIDTH" "$1" "$2" "$3" "$4"
}

e2e_start_x
mkdir "$E2E_WORK/roms"
# A name that is not ASCII, typed into the Open dialog as a person types it.
rom="$E2E_WORK/roms/Zéro ミッション.gba"
"$E2E_MAKE_ROM" "$rom"
cp "$rom" "$E2E_WORK/original.gba"
e2e_start_editor "$E2E_WORK/home"

e2e_step "File > Open, cancelled with Escape"
e2e_menu "$E2E_FILE_MENU_X" 0 2
e2e_wait_window "Open Romfile"
dialog=$WIN
e2e_wait_focus "$dialog"
e2e_keys Escape
e2e_expect_message "No rom loaded"
e2e_wait_gone "$dialog" "the Open Romfile dialog"
e2e_alive
e2e_expect_viewable "$E2E_MAIN" "the main window"
e2e_expect_unchanged "$E2E_WORK/original.gba" "$rom" "the image after a cancelled Open"

e2e_step "File > Open of the sample image"
e2e_open_rom "$rom"
e2e_expect_message "Rom Loaded"
# Open loads the room selected in the Room list, room 0.
e2e_expect_main_field "${ROOM[@]}" "Room" "0"
e2e_expect_main_field "${TILEDATA[@]}" "Tiledata" "360100"

e2e_step "room 12: Load, Music typed as 1F, Save"
e2e_main_fill "${ROOM[@]}" 12
e2e_main_click "${LOAD[@]}"
e2e_expect_main_field "${TILEDATA[@]}" "Tiledata of room 12" "363100"
e2e_expect_main_field "${MUSIC[@]}" "Music of room 12" "C"
e2e_no_message
e2e_main_fill "${MUSIC[@]}" 1F
e2e_main_click "${SAVE[@]}"
e2e_expect_main_field "${MUSIC[@]}" "Music after Save" "1F"
e2e_no_message
e2e_expect_changes "$E2E_WORK/original.gba" "$rom" "$(printf '%X 0C 1F' $((ROOM12 + 0x3A)))" \
    "Save of Music 1F in room 12"
e2e_expect_bytes "$rom" $((ROOM12 + 0x3A)) 2 "1F 00" "room 12's music"
cp "$rom" "$E2E_WORK/after-music.gba"

e2e_step "room 12: Water Tide picked from its list with the mouse, Save"
e2e_expect_main_field "${TIDE[@]}" "Water Tide of room 12" "30"
e2e_main_click "${TIDE_ARROW[@]}"
e2e_wait_popup
# The list shows 16 of its 256 values; the one in the middle of what it shows is picked.
e2e_click_popup_row 8 16
e2e_main_field "${TIDE[@]}" "Water Tide after the pick"
tide=$FIELD
if ! [[ "$tide" =~ ^[0-9A-F]{1,2}$ ]] || [ "$tide" = "30" ]; then
    e2e_fail "Water Tide shows \"$tide\" after a value was picked from its list (was 30)"
fi
echo "   picked Water Tide $tide"
e2e_main_click "${SAVE[@]}"
e2e_expect_main_field "${TIDE[@]}" "Water Tide after Save" "$tide"
e2e_no_message
e2e_expect_changes "$E2E_WORK/after-music.gba" "$rom" \
    "$(printf '%X 30 %02X' $((ROOM12 + 0x1C)) $((16#$tide)))" "Save of a picked Water Tide"
cp "$rom" "$E2E_WORK/after-tide.gba"

e2e_step "room 5: Load, Follow Offset1"
e2e_main_fill "${ROOM[@]}" 5
e2e_main_click "${LOAD[@]}"
e2e_expect_main_field "${ENEMY_TABLE1[@]}" "Enemy Table 1 of room 5" "3A0140"
e2e_main_click "${FOLLOW_OFFSET1[@]}"
e2e_expect_message "3A0140"
e2e_wait_window "EnemyEditor"
ENEMIES=$WIN
# Entry 0, (10, 28, 6), is selected.
enemy_field "${ENEMY_X[@]}" "X of entry 0" "10"

e2e_step "enemy editor: entry 1 clicked, X typed as 33, Save"
e2e_list_rows "$ENEMIES" "$E2E_ENEMY_WIDTH" "${ENEMY_LIST[@]}"
e2e_click_row "$ENEMIES" 1 "${ENEMY_LIST[0]}"
enemy_field "${ENEMY_X[@]}" "X of entry 1" "28"
enemy_field "${ENEMY_Y[@]}" "Y of entry 1" "28"
enemy_field "${ENEMY_KIND[@]}" "Enemy of entry 1" "7"
e2e_fill "$ENEMIES" "$E2E_ENEMY_WIDTH" "${ENEMY_X[@]}" 33
e2e_click "$ENEMIES" "$E2E_ENEMY_WIDTH" "${ENEMY_SAVE[@]}"
enemy_field "${ENEMY_X[@]}" "X after Save" "33"
e2e_no_message
e2e_expect_changes "$E2E_WORK/after-tide.gba" "$rom" \
    "$(printf '%X 28 33' $((ROOM5_ENEMIES + 3 * 1 + 0)))" "Save of entry 1's X"
cp "$rom" "$E2E_WORK/after-enemy.gba"

e2e_step "enemy editor: the list's end clicked"
# Entries 0 to 4 are enemies; row 5 is the end of the list.
e2e_click_row "$ENEMIES" 5 "${ENEMY_LIST[0]}"
e2e_expect_message "I refuse to edit this."
# The refusal moves the selection to the last enemy, (70, 28, A).
enemy_field "${ENEMY_X[@]}" "X after the refusal" "70"
enemy_field "${ENEMY_KIND[@]}" "Enemy after the refusal" "A"
e2e_expect_unchanged "$E2E_WORK/after-enemy.gba" "$rom" "the refused list end"

e2e_step "a pointer that is not hexadecimal, then Save"
e2e_main_fill "${FOREGROUND[@]}" 12G4
e2e_main_click "${SAVE[@]}"
e2e_expect_message 'Foreground: "12G4" is not a hexadecimal offset (digits 0-9 and A-F, at most eight). Nothing was saved.'
e2e_expect_unchanged "$E2E_WORK/after-enemy.gba" "$rom" "a refused Save"
e2e_expect_viewable "$ENEMIES" "the enemy editor (a refused Save leaves it)"

if [ -z "$E2E_LAUNCHER" ]; then
    e2e_step "keys with Hyper, Num Lock and AltGr in a field"
    # Hyper on a modifier of its own, as many set it up: Qt then reports no modifier for it.
    xkbcomp "$DISPLAY" - 2>/dev/null | sed 's/Mod4 { <HYPR> }/Mod3 { <HYPR> }/' >"$E2E_WORK/hyper.xkb"
    grep -q 'Mod3 { <HYPR> }' "$E2E_WORK/hyper.xkb" || e2e_fail "no Hyper key to put on Mod3"
    xkbcomp "$E2E_WORK/hyper.xkb" "$DISPLAY" 2>/dev/null
    modified=Hyper_L+a
else
    # Windows knows no Hyper: its key for commands is the Windows key.
    e2e_step "keys with the Windows key, Num Lock and AltGr in a field"
    modified=Super_L+a
fi
e2e_main_fill "${FOREGROUND[@]}" 12
# Num Lock and the AltGr level (US keys type their own letter there) choose what is typed.
e2e_keys "$modified" Num_Lock 3 ISO_Level3_Shift+d Num_Lock
e2e_expect_main_field "${FOREGROUND[@]}" "Foreground after $modified, Num Lock and AltGr" "123d"

e2e_step "Alt+F opens the File menu and types nothing"
e2e_keys alt+f
e2e_wait_popup
menu=$POPUP
e2e_keys Escape
e2e_wait_gone "$menu" "the File menu"
e2e_expect_main_field "${FOREGROUND[@]}" "Foreground after Alt+F" "123d"

e2e_step "Help > About, closed with Kill me"
e2e_menu "$HELP_MENU_X" 0 1
e2e_wait_window "Form2"
about=$WIN
e2e_click "$about" "$E2E_ABOUT_WIDTH" "${KILL_ME[@]}"
e2e_wait_gone "$about" "the About window (Form2)"
e2e_expect_viewable "$E2E_MAIN" "the main window"

if [ -n "$E2E_LAUNCHER" ]; then
    # Windows lets a program that opens a file say whether others may open it meanwhile.
    room5_music=$((0x340AD4 + 60 * 5 + 0x3A))
    music=$(e2e_bytes "$rom" "$room5_music" 1)
    e2e_step "room 5: Save while another program holds the image open, sharing it"
    e2e_main_click "${LOAD[@]}"  # the fields as the image has them
    e2e_hold_file "$rom" read-write
    e2e_main_fill "${MUSIC[@]}" 2A
    e2e_main_click "${SAVE[@]}"
    e2e_expect_main_field "${MUSIC[@]}" "Music after Save" "2A"
    e2e_no_message
    e2e_expect_changes "$E2E_WORK/after-enemy.gba" "$rom" "$(printf '%X %s 2A' "$room5_music" \
        "$music")" "Save of Music 2A in room 5 beside another program"
    e2e_release_file
    cp "$rom" "$E2E_WORK/after-enemy.gba"

    e2e_step "room 5: Save refused while another program holds the image open alone"
    e2e_hold_file "$rom" none
    e2e_main_fill "${MUSIC[@]}" 2B
    e2e_main_click "${SAVE[@]}"
    e2e_read_message
    [[ $MSG == "Cannot open \""*"Zéro ミッション.gba\":"$'\n'?* ]] ||
        e2e_fail "the refused Save says: $MSG"
    echo "   message: ${MSG//$'\n'/ }"
    e2e_expect_unchanged "$E2E_WORK/after-enemy.gba" "$rom" "a Save the other program kept out"
    e2e_release_file
    e2e_main_click "${SAVE[@]}"
    e2e_expect_main_field "${MUSIC[@]}" "Music after Save" "2B"
    e2e_no_message
    e2e_expect_changes "$E2E_WORK/after-enemy.gba" "$rom" \
        "$(printf '%X 2A 2B' "$room5_music")" "Save of Music 2B once the other program let go"
    cp "$rom" "$E2E_WORK/after-enemy.gba"
fi

e2e_step "the editor at the end"
e2e_expect_unchanged "$E2E_WORK/after-enemy.gba" "$rom" "the image at the end"
e2e_finish_editor
echo "e2e_desktop passed"
