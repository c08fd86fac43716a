#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
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
# Candidates by name: C++, CMake, shell and awk files, and files without an extension, which
# are source files when they start with "#!". One awk run reads the first lines of them all.
result=$(grep -E '\.(cpp|h|cmake|sh|awk)$|(^|/)CMakeLists\.txt$|(^|/)[^./]+$' <<<"$files" |
    while IFS= read -r file; do if [ -f "$file" ]; then printf '%s\0' "$file"; fi; done |
    xargs -0 -r awk -v tag="$tag" '
        FNR == 1 {
            wanted = (FILENAME ~ /\.(cpp|h)$/) ? "// " tag : "# " tag
            if (FILENAME !~ /\.(cpp|h|cmake|sh|awk)$|CMakeLists\.txt$/ && $0 !~ /^#!/) nextfile
            checked++
            if ($0 !~ /^#!/) { if ($0 != wanted) print "missing", FILENAME; nextfile }
        }
        FNR == 2 { if ($0 != wanted) print "missing", FILENAME; nextfile }
        END { print "checked", checked + 0 }')
checked=$(sed -n 's/^checked //p' <<<"$result" | awk '{ n += $1 } END { print n + 0 }')
mapfile -t missing < <(sed -n 's/^missing //p' <<<"$result")

((checked > 0)) || { echo "FAILED: no source file found in $PWD" >&2; exit 1; }
if ((${#missing[@]} > 0)); then
    echo "FAILED: ${#missing[@]} of $checked source files lack the licence line: its first" \
        "line, or the second after \"#!\", must be \"// $tag\" (C++) or \"# $tag\"" \
        "(CMake, shell, awk):" >&2
    printf '  %s\n' "${missing[@]}" >&2
    exit 1
fi
echo "source_licenses passed: all $checked source files carry \"$tag\""
