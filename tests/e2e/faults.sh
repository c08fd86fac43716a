#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The ROM file changes under the running editor, between two commands: it is deleted, cut
# short, replaced by a file that is not an image of the game, turned into a folder, or may
# not be written by the user who runs the editor. Each time the editor must keep running,
# say what happened in a message box, and change no byte of any file (nor create one).
#
#   faults.sh <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup e2e_faults "$@"


load() { e2e_main_click "${LOAD[@]}"; }
save() { e2e_main_click "${SAVE[@]}"; }
follow_offset1() { e2e_main_click "${FOLLOW_OFFSET1[@]}"; }
expect_music() { e2e_expect_main_field "${MUSIC[@]}" "Music" "$1"; }
# Music typed as 1F: a change every Save below would write if it wrote at all.
type_music() { e2e_main_fill "${MUSIC[@]}" 1F; }

# A load that works shows no message; its room's music shows.
expect_quiet_load() {
    load
    expect_music "$1"
    e2e_no_message
}

# Another user can reach this X server (-ac: no access control; it listens only on local
# sockets of this machine).
e2e_start_x -ac

dir="$E2E_WORK/roms"
mkdir "$dir"
rom="$dir/game.gba"
"$E2E_MAKE_ROM" "$rom"
original="$E2E_WORK/original.gba"
cp "$rom" "$original"

e2e_start_editor "$E2E_WORK/home"
e2e_step "opening the image, loading room 12"
e2e_open_rom "$rom"
e2e_expect_message "Rom Loaded"
e2e_main_fill "${ROOM[@]}" 12
expect_quiet_load C
type_music

e2e_step "the image deleted: Load, Save, Follow Offset1"
rm "$rom"
gone=$(printf 'Cannot open "%s":\nNo such file or directory.' "$rom")
load
e2e_expect_message "$gone"
[ ! -e "$rom" ] || e2e_fail "Load created a file at $rom"
save
e2e_expect_message "$gone"
[ ! -e "$rom" ] || e2e_fail "Save created a file at $rom"
follow_offset1
e2e_expect_message "$gone"
[ ! -e "$rom" ] || e2e_fail "Follow Offset1 created a file at $rom"
# The enemy editor comes without a list, and has nothing to save.
e2e_wait_window "EnemyEditor"
enemies=$WIN
e2e_click "$enemies" "$E2E_ENEMY_WIDTH" "${ENEMY_SAVE[@]}"
e2e_expect_message "There is no enemy list to save."
[ -z "$(ls -A "$dir")" ] || e2e_fail "files appeared in the image's folder: $(ls -A "$dir")"
e2e_alive

e2e_step "the image back: Load"
cp "$original" "$rom"
expect_quiet_load C

# cut_short <size> <where>: the image cut to <size> bytes: Load shows zeros for what is
# missing (music among it) and says so; Save is refused and changes nothing.
cut_short() {
    e2e_step "the image cut short $2: Load, Save"
    cp "$original" "$rom"
    truncate -s "$1" "$rom"
    cp "$rom" "$E2E_WORK/short.gba"
    load
    e2e_expect_message "$(printf '"%s" ends before the end of room 12'"'"'s header (at %X): the missing bytes are shown as zeros.' "$rom" "$ROOM12")"
    expect_music 0
    type_music
    save
    e2e_expect_message "$(printf 'Cannot write to "%s":\nThe bytes %X to %X do not lie inside the file, which ends before %X; the editor never changes the size of a ROM.' "$rom" "$ROOM12" $((ROOM12 + 59)) "$1")"
    e2e_expect_unchanged "$E2E_WORK/short.gba" "$rom" "Save into a file cut short $2"
}
cut_short $((0x340B00)) "before room 12's header"
cut_short $((ROOM12 + 0x1C)) "inside room 12's header"

e2e_step "the image replaced by another file: Load, Save"
other="$E2E_WORK/other.bin"
head -c $((4 * 1024 * 1024)) /dev/zero | tr '\0' 'x' >"$other"
cp "$other" "$E2E_WORK/other-copy.bin"
mv -f "$other" "$rom"
load
e2e_expect_message "$(printf '"%s" is not an image of the supported game. Room 12 is shown as read, and Save will not write into it.' "$rom")"
# Its bytes are shown as read: 78 78 is no entry of the Music list.
expect_music 7878
type_music
save
e2e_expect_message "$(printf 'Cannot write to "%s":\nIt is not an image of the supported game (no title "ZEROMISSIONE" at A0), so nothing was written.' "$rom")"
e2e_expect_unchanged "$E2E_WORK/other-copy.bin" "$rom" "Save into a file that is not an image"

e2e_step "the image's path turned into a folder: Load, Save"
rm "$rom"
mkdir "$rom"
folder=$(printf 'Cannot open "%s":\nIs a directory.' "$rom")
load
e2e_expect_message "$folder"
save
e2e_expect_message "$folder"
[ -d "$rom" ] && [ -z "$(ls -A "$rom")" ] || e2e_fail "the folder at $rom changed"
e2e_alive

e2e_step "the image back: Load, Save"
rmdir "$rom"
cp "$original" "$rom"
expect_quiet_load C
type_music
save
expect_music 1F
e2e_no_message
e2e_expect_changes "$original" "$rom" "$(printf '%X 0C 1F' $((ROOM12 + 0x3A)))" \
    "Save after the faults"
e2e_finish_editor

e2e_step "an image the editor's user may read but not write"
locked="$E2E_WORK/locked"
mkdir -m 0755 "$locked"
rom="$locked/game.gba"
cp "$original" "$rom"
chmod 0444 "$rom"
home="$E2E_WORK/home-reader"
mkdir -p "$home/run" "$home/config" "$home/cache" "$home/data"
run_as=()
if [ "$(id -u)" -eq 0 ]; then
    # root may write any file: the editor runs as nobody, the image stays root's.
    run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chmod 0711 "$E2E_WORK"
    chown -R 65534:65534 "$home"
    if ! "${run_as[@]}" test -x "$E2E_EDITOR"; then
        # The build tree may lie where nobody cannot reach: run a copy.
        mkdir -m 0755 "$E2E_WORK/bin"
        cp "$E2E_EDITOR" "$E2E_WORK/bin/"
        E2E_EDITOR="$E2E_WORK/bin/${E2E_EDITOR##*/}"
    fi
fi
if "${run_as[@]}" test -w "$rom"; then
    e2e_fail "the editor's user could write $rom (mode 0444); this case cannot be checked here"
fi
echo "   the editor runs as $("${run_as[@]}" id -un)"
e2e_start_editor "$home" "${run_as[@]}"
e2e_open_rom "$rom"
e2e_expect_message "Rom Loaded"
e2e_main_fill "${ROOM[@]}" 12
expect_quiet_load C
type_music
save
denied=$(printf 'Cannot write to "%s":\nPermission denied.' "$rom")
e2e_expect_message "$denied"
e2e_expect_unchanged "$original" "$rom" "Save into a file the user may not write"
expect_quiet_load C

e2e_step "the same image: room 5's enemy list, Save"
e2e_main_fill "${ROOM[@]}" 5
expect_quiet_load 5
e2e_expect_main_field "${ENEMY_TABLE1[@]}" "Enemy Table 1 of room 5" "3A0140"
follow_offset1
e2e_expect_message "3A0140"
e2e_wait_window "EnemyEditor"
enemies=$WIN
e2e_expect_field "$enemies" "$E2E_ENEMY_WIDTH" "${ENEMY_X[@]}" "X of entry 0" "10"
e2e_fill "$enemies" "$E2E_ENEMY_WIDTH" "${ENEMY_X[@]}" 33
e2e_click "$enemies" "$E2E_ENEMY_WIDTH" "${ENEMY_SAVE[@]}"
e2e_expect_message "$denied"
e2e_expect_unchanged "$original" "$rom" "Save of an enemy into a file the user may not write"
e2e_finish_editor
echo "e2e_faults passed"
