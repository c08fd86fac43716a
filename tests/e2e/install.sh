#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# `cmake --install` into a temporary prefix puts the executable, the desktop entry and the
# icon where a desktop finds them; the program the entry's Exec line names starts with its
# main window, as when a person chooses it from the desktop's menu. The companion command
# installed beside it exports, diffs and imports the sample image.
#
#   install.sh <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder> <build>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
build=$5
e2e_setup e2e_install "${@:1:4}"

e2e_step "installing into a temporary prefix"
prefix="$E2E_WORK/prefix"
cmake --install "$build" --prefix "$prefix" >"$E2E_WORK/install.log" ||
    e2e_fail "cmake --install failed: $(cat "$E2E_WORK/install.log")"

entry="$prefix/share/applications/vorn-header-editor.desktop"
for file in "$prefix/bin/vorn-header-editor" "$entry" \
    "$prefix/share/icons/hicolor/scalable/apps/vorn-header-editor.svg" \
    "$prefix/share/icons/hicolor/48x48/apps/vorn-header-editor.png" \
    "$prefix/share/icons/hicolor/128x128/apps/vorn-header-editor.png"; do
    [ -s "$file" ] || e2e_fail "not installed: ${file#"$prefix"/}"
done
[ -x "$prefix/bin/vorn-header-editor" ] || e2e_fail "the installed program is not executable"

e2e_step "reading the desktop entry"
key() { sed -n "s/^$1=//p" "$entry"; }
[ "$(head -n 1 "$entry")" = "[Desktop Entry]" ] || e2e_fail "the entry has no [Desktop Entry] group"
[ "$(key Type)" = "Application" ] || e2e_fail "Type is \"$(key Type)\""
[ "$(key Name)" = "Vorn Header Editor" ] || e2e_fail "Name is \"$(key Name)\""
[ "$(key Icon)" = "vorn-header-editor" ] || e2e_fail "Icon \"$(key Icon)\" is not the installed icon"
exec_line=$(key Exec)
[ "$exec_line" = "$prefix/bin/vorn-header-editor" ] ||
    e2e_fail "Exec \"$exec_line\" is not the installed program"
# The PNG icons are what their folders say: the width and height in the PNG header.
for size in 48 128; do
    read -r width height < <(od -An -tu1 -j16 -N8 \
        "$prefix/share/icons/hicolor/${size}x$size/apps/vorn-header-editor.png" |
        awk '{ print $3 * 256 + $4, $7 * 256 + $8 }')
    [ "$width $height" = "$size $size" ] || e2e_fail "the ${size}x$size icon is ${width}x$height"
done

e2e_step "the companion command, installed with its manual page"
headers="$prefix/bin/vorn-headers"
[ -x "$headers" ] || e2e_fail "vorn-headers is not installed"
[ -s "$prefix/share/man/man1/vorn-headers.1.gz" ] || e2e_fail "its manual page is not installed"
"$E2E_MAKE_ROM" "$E2E_WORK/levels.gba"
cp "$E2E_WORK/levels.gba" "$E2E_WORK/levels-before.gba"
"$headers" export "$E2E_WORK/levels.gba" -o "$E2E_WORK/levels.json" ||
    e2e_fail "export failed with status $?"
same=$("$headers" diff "$E2E_WORK/levels.gba" "$E2E_WORK/levels.json") ||
    e2e_fail "diff of an image and its own export: status $?, \"$same\""
[ -z "$same" ] || e2e_fail "diff of an image and its own export printed \"$same\""
# Room 12's music, 0x0C in the sample image, becomes 0x1F.
sed '/"room": 12,/,/"was"/ s/"music": "0x000C"/"music": "0x001F"/' "$E2E_WORK/levels.json" \
    >"$E2E_WORK/edited.json"
"$headers" import "$E2E_WORK/levels.gba" "$E2E_WORK/edited.json" >/dev/null ||
    e2e_fail "import failed with status $?"
e2e_expect_changes "$E2E_WORK/levels-before.gba" "$E2E_WORK/levels.gba" \
    "$(printf '%X 0C 1F' $((ROOM12 + 0x3A)))" "import of room 12's music"

e2e_step "starting the program the entry names"
e2e_start_x
E2E_EDITOR=$exec_line
e2e_start_editor "$E2E_WORK/home"
e2e_finish_editor
echo "e2e_install passed"
