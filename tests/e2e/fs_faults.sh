#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The file system under the ROM refuses a write: it was remounted read-only while the editor
# had the image open, or it is full and the bytes to write lie in a hole of a sparse image.
# Save must say so, change nothing, and the editor must keep running (and save once there
# is room again).
#
# Both file systems are small tmpfs mounts in a mount namespace of the test's own, so nothing
# outside the test sees them: as root through "unshare --mount", otherwise through a user
# namespace ("unshare --user --map-root-user --mount"). Where neither can be made, the test
# is skipped (exit 77) and says why.
#
#   fs_faults.sh <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/own_mounts.sh"
vorn_own_mounts "$0" "$@"

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup e2e_fs_faults "$@"

PAGE=4096

expect_music() { e2e_expect_main_field "${MUSIC[@]}" "Music" "$1"; }
type_music() { e2e_main_fill "${MUSIC[@]}" 1F; }

# mount_tmpfs <folder> <size>: a small file system of the test's own, gone with the test.
mount_tmpfs() {
    mkdir -p "$1"
    if ! mount -t tmpfs -o "size=$2,mode=0755" tmpfs "$1" 2>"$E2E_WORK/mount.log"; then
        echo "SKIPPED: cannot mount a tmpfs in the test's mount namespace:" \
            "$(cat "$E2E_WORK/mount.log"). Run as root to cover these cases."
        exit 77
    fi
    E2E_MOUNTS+=("$1")
}

original="$E2E_WORK/original.gba"
"$E2E_MAKE_ROM" "$original"

e2e_step "mounting a tmpfs and putting the image on it"
readonly_fs="$E2E_WORK/readonly-fs"
mount_tmpfs "$readonly_fs" 8m
rom="$readonly_fs/game.gba"
cp "$original" "$rom"

e2e_start_x
e2e_start_editor "$E2E_WORK/home"

e2e_step "the file system remounted read-only under the open image: Save, Load"
e2e_open_rom "$rom"
e2e_expect_message "Rom Loaded"
e2e_main_fill "${ROOM[@]}" 12
e2e_main_click "${LOAD[@]}"
expect_music C
e2e_no_message
type_music
# In a user namespace only the mount, not the file system itself, may become read-only;
# writes through it fail alike.
mount -o remount,ro "$readonly_fs" 2>/dev/null || mount -o remount,bind,ro "$readonly_fs" ||
    e2e_fail "cannot remount $readonly_fs read-only"
e2e_main_click "${SAVE[@]}"
e2e_expect_message "$(printf 'Cannot write to "%s":\nRead-only file system.' "$rom")"
e2e_expect_unchanged "$original" "$rom" "Save on a read-only file system"
# Loading still works.
e2e_main_click "${LOAD[@]}"
expect_music C
e2e_no_message

e2e_step "a sparse image on a full file system, room 12's header in a hole: Save"
full_fs="$E2E_WORK/full-fs"
mount_tmpfs "$full_fs" 2m
rom="$full_fs/game.gba"
cp --sparse=always "$original" "$rom"
# The page that holds room 12's header becomes a hole: it reads as zeros, and writing into
# it needs a new page of the file system.
blocks_before=$(stat -c %b "$rom")
fallocate --punch-hole --offset $((ROOM12 / PAGE * PAGE)) --length "$PAGE" "$rom" ||
    e2e_fail "cannot punch a hole into $rom"
blocks_after=$(stat -c %b "$rom")
[ "$blocks_after" -lt "$blocks_before" ] ||
    e2e_fail "punching a hole freed no block of $rom ($blocks_before blocks)"
cp "$rom" "$E2E_WORK/sparse.gba"
e2e_open_rom "$rom"
e2e_expect_message "Rom Loaded"
# Open loads the selected room, 12, from the hole.
expect_music 0
type_music
# Fill the file system; dd stops at "No space left on device".
dd if=/dev/zero of="$full_fs/filler" bs=$PAGE 2>/dev/null || true
if (printf x >"$full_fs/probe") 2>/dev/null; then
    e2e_fail "$full_fs still takes data after it was filled"
fi
rm -f "$full_fs/probe"
e2e_main_click "${SAVE[@]}"
e2e_expect_message "$(printf 'Cannot write to "%s":\nNo space left on device.' "$rom")"
e2e_expect_unchanged "$E2E_WORK/sparse.gba" "$rom" "Save on a full file system"
[ "$(stat -c %b "$rom")" = "$blocks_after" ] || e2e_fail "the image took blocks on a full disk"
e2e_alive

e2e_step "room again on that file system: Save"
rm "$full_fs/filler"
e2e_main_click "${SAVE[@]}"
expect_music 1F
e2e_no_message
e2e_expect_changes "$E2E_WORK/sparse.gba" "$rom" "$(printf '%X 00 1F' $((ROOM12 + 0x3A)))" \
    "Save once there is room"
e2e_finish_editor
echo "e2e_fs_faults passed"
