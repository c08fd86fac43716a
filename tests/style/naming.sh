#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every name in the C++ sources a build compiles follows the project's naming convention (the
# README's "Code style", written for clang-tidy in .clang-tidy): readability-identifier-naming
# over each file of the build's compile_commands.json whose path matches the pattern, and over
# the project headers those files include.
#
#   naming.sh <build folder> <pattern of file paths>
set -uo pipefail
build=$1
pattern=$2

tidy=$(command -v run-clang-tidy || command -v run-clang-tidy-14)
if [ -z "$tidy" ]; then
    echo "run-clang-tidy is not installed (Debian package clang-tidy)"
    exit 1
fi

# g++'s warning options mean nothing to clang; the naming check needs none of them.
output=$("$tidy" -p "$build" -quiet -extra-arg=-Wno-unknown-warning-option "$pattern" 2>&1)
status=$?
output=$(sed 's/\x1b\[[0-9;]*m//g' <<<"$output")
checked=$(grep -c '^clang-tidy' <<<"$output")
problems=$(grep -E ': (warning|error): ' <<<"$output" | sort -u)

if [ "$checked" -eq 0 ]; then
    echo "no file of $build/compile_commands.json matches $pattern"
    exit 1
fi
if [ -n "$problems" ] || [ "$status" -ne 0 ]; then
    echo "$(grep -c . <<<"$problems") names break the naming convention, first:"
    printf '%s\n' "$problems"
    [ -n "$problems" ] || printf '%s\n' "$output" | tail -20
    exit 1
fi
echo "checked the names in $checked files"
