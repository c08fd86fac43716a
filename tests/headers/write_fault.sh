#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The built vorn-headers when a write fails half-way through an import: the text changes
# rooms 0 and 329 of a sparse image on a full file system, and room 329's record lies in a
# hole, so its write finds no space after room 0's has been made. The import must put room 0
# back, say so, exit with status 3 and leave the image as it was; with space again, the same
# import writes both rooms and nothing else.
#
# The file system is a small tmpfs in a mount namespace of the test's own (as root through
# "unshare --mount", otherwise in a user namespace). Where none can be made, the test is
# skipped (exit 77) and says why.
#
#   write_fault.sh <vorn-headers> <make-sample-rom> <work folder>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/own_mounts.sh"
vorn_own_mounts bash "$0" "$@"

headers=$1 make_rom=$2 work=$3
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
PAGE=4096
ROOM0=$((0x340AD4))
ROOM329=$((0x340AD4 + 60 * 329))

rm -rf "$work"
mkdir -p "$work/fs"
mount -t tmpfs -o size=2m,mode=0755 tmpfs "$work/fs" 2>"$work/mount.log" || {
    echo "SKIPPED: cannot mount a tmpfs in the test's mount namespace: $(cat "$work/mount.log")"
    exit 77
}
trap 'umount "$work/fs" 2>/dev/null || true' EXIT

"$make_rom" "$work/original.gba"
rom="$work/fs/game.gba"
cp --sparse=always "$work/original.gba" "$rom"
# Room 329's page becomes a hole: it reads as zeros, and writing into it needs a new page.
fallocate --punch-hole --offset $((ROOM329 / PAGE * PAGE)) --length "$PAGE" "$rom"
[ $((ROOM0 / PAGE)) -ne $((ROOM329 / PAGE)) ] || fail "rooms 0 and 329 share a page"
cp "$rom" "$work/before.gba"

"$headers" export "$rom" -o "$work/levels.json" || fail "export failed"
# The first music line is room 0's, the last room 329's.
awk '/"music": / { n++; if (n == 1 || n == 330) sub(/"0x[0-9A-F]+"/, "\"0x0042\"") } { print }' \
    "$work/levels.json" >"$work/edited.json"
[ "$("$headers" diff "$work/levels.json" "$work/edited.json" | wc -l)" -eq 2 ] ||
    fail "the edit did not change the two rooms' music"

dd if=/dev/zero of="$work/fs/filler" bs=$PAGE 2>/dev/null || true
if (printf x >"$work/fs/probe") 2>/dev/null; then
    fail "the file system still takes data after it was filled"
fi
status=0
"$headers" import "$rom" "$work/edited.json" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 3 ] || fail "a failed write ended with status $status: $(cat "$work/err")"
grep -q "No space left on device" "$work/err" ||
    fail "the message gives no reason: $(cat "$work/err")"
grep -q "put back" "$work/err" || fail "the message does not say room 0 was put back"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "the error takes more than one line: $(cat "$work/err")"
cmp -s "$work/before.gba" "$rom" || fail "the failed import changed the image: $(
    cmp -l "$work/before.gba" "$rom" | head -n 3)"

rm "$work/fs/filler"
"$headers" import "$rom" "$work/edited.json" >"$work/out" 2>"$work/err" ||
    fail "with space again, the import failed: $(cat "$work/err")"
changed=$({ cmp -l "$work/before.gba" "$rom" || true; } | awk '{ print $1 - 1 }' | tr '\n' ' ')
expected="$((ROOM0 + 0x3A)) $((ROOM329 + 0x3A)) "
[ "$changed" = "$expected" ] || fail "the import changed the bytes $changed, not $expected"
echo "headers_write_fault passed"
