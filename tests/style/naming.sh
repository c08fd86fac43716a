#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every name in the editor's own C++ sources follows the project's naming convention
# (CONTRIBUTING.md's "Names", written for clang-tidy in .clang-tidy): run-clang-tidy, two files
# at a time, over each file of the build's compile_commands.json under rom/, ui/ or app/, and
# the editor's headers those files include.
#
#   naming.sh <build folder> <source folder>
set -uo pipefail
build=$1
source_dir=$2

tidy=$(command -v run-clang-tidy || command -v run-clang-tidy-14)
if [ -z "$tidy" ]; then
    echo "run-clang-tidy is not installed (Debian package clang-tidy)"
    exit 1
fi

# g++'s warning options mean nothing to clang; the naming check needs none of them.
output=$("$tidy" -p "$build" -j 2 -quiet -extra-arg=-Wno-unknown-warning-option \
    "^$source_dir/(rom|ui|app)/" 2>&1)
status=$?
output=$(sed 's/\x1b\[[0-9;]*m//g' <<<"$output")
checked=$(grep -c '^clang-tidy' <<<"$output")
problems=$(grep -E ': (warning|error): ' <<<"$output" | sort -u)

if [ "$checked" -eq 0 ]; then
    echo "no file of $build/compile_commands.json lies under $source_dir/rom, ui or app"
    exit 1
fi
if [ -n "$problems" ] || [ "$status" -ne 0 ]; then
    echo "$(grep -c . <<<"$problems") names break the naming convention, first:"
    printf '%s\n' "$problems"
    [ -n "$problems" ] || printf '%s\n' "$output" | tail -20
    exit 1
fi
echo "checked the names in $checked files"
