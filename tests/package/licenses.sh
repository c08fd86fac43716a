#!/usr/bin/env bash
# Every source file of the project says its licence in its first line (the second, after a
# "#!" line): "SPDX-License-Identifier: MIT" in the comment syntax of its language. The files
# are those git knows (tracked, or new and not ignored); without git, those outside build/.
#
#   licenses.sh <source folder>
set -euo pipefail
cd "$1"

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git ls-files --cached --others --exclude-standard)
else
    files=$(find . -path ./build -prune -o -path ./.git -prune -o -type f -print | sed 's|^\./||')
fi

tag="SPDX-License-Identifier: MIT"
checked=0
missing=()
while IFS= read -r file; do
    [ -f "$file" ] || continue  # deleted, not yet committed
    first=$(head -n 1 "$file" | tr -d '\0')
    case $file in
        *.cpp | *.h) wanted="// $tag" ;;
        CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | *.awk) wanted="# $tag" ;;
        *)
            # Any other file is a source file when it is a script.
            [[ $first == "#!"* ]] || continue
            wanted="# $tag"
            ;;
    esac
    checked=$((checked + 1))
    line=1
    if [[ $first == "#!"* ]]; then
        line=2
    fi
    [ "$(sed -n "${line}p" "$file")" = "$wanted" ] || missing+=("$file")
done <<<"$files"

((checked > 0)) || { echo "FAILED: no source file found in $PWD" >&2; exit 1; }
if ((${#missing[@]} > 0)); then
    echo "FAILED: ${#missing[@]} of $checked source files lack the licence line: its first" \
        "line, or the second after \"#!\", must be \"// $tag\" (C++) or \"# $tag\"" \
        "(CMake, shell, awk):" >&2
    printf '  %s\n' "${missing[@]}" >&2
    exit 1
fi
echo "source_licenses passed: all $checked source files carry \"$tag\""
