#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The zip for Windows users, made here by `cpack -G ZIP` as a release would make it: it holds
# the program, exactly the DLLs that it and its DLLs import and Windows lacks (each import is
# in the zip or is Windows' own, and each DLL in the zip is imported), the platform plugin and
# the licences; and the program unpacked from it, with no other Qt in reach, starts under Wine
# and shows its main window.
#
#   zip.sh <build folder> <version> <make-sample-rom> <layout.txt> <work folder>
set -euo pipefail
build=$1 version=$2 maker=$3 layout=$4 out=$5
name=vorn-header-editor-$version-windows-x86_64
# Only the zip's own folder may give the program its Qt.
unset WINEPATH QT_PLUGIN_PATH

echo "-- making the zip"
rm -rf "$out" && mkdir -p "$out"
if ! (cd "$build" && cpack -G ZIP -B "$out") >"$out/cpack.log" 2>&1; then
    printf 'FAILED while making the zip:\n  %s\n' "$(tail -n 3 "$out/cpack.log" | tr '\n' ' ')"
    exit 1
fi
python3 -m zipfile -e "$out/$name.zip" "$out/unpacked"
chmod +x "$out/unpacked/$name"/*.exe  # a zip of Windows files keeps no Unix modes
echo "   $name.zip: $(stat -c %s "$out/$name.zip") bytes"

source "$(dirname "${BASH_SOURCE[0]}")/../../e2e/lib.sh"
dir="$out/unpacked/$name"
e2e_setup windows_zip "$dir/vorn-header-editor.exe" "$maker" "$layout" "$out"

e2e_step "the licences and the platform plugin"
for file in README.txt LICENSE platforms/qwindows.dll qt-licenses/LGPL-3.0-only.txt \
    qt-licenses/qt-source.txt; do
    [ -s "$dir/$file" ] || e2e_fail "the zip has no $file"
done
grep -q "qt6-base" "$dir/qt-licenses/qt-source.txt" ||
    e2e_fail "qt-source.txt does not say which source Qt was built from"

e2e_step "the unpacked program started under Wine"
e2e_start_x
e2e_start_editor "$E2E_WORK/home"
e2e_finish_editor

e2e_step "every import in the zip or Windows' own, every DLL in the zip imported"
# Windows' own DLLs: those Wine has in the prefix the program just ran in, and API sets.
system="$WINEPREFIX/drive_c/windows/system32"
[ -f "$system/kernel32.dll" ] || e2e_fail "no Wine prefix at $WINEPREFIX"
declare -A imported=()
for file in "$dir"/*.exe "$dir"/*.dll "$dir"/platforms/*.dll; do
    imports=$(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
    [ -n "$imports" ] || e2e_fail "no imports read from ${file#"$dir"/}"
    for dll in $imports; do
        key=${dll,,}
        imported[$key]=1
        [ -n "$(find "$dir" -maxdepth 1 -iname "$dll")" ] && continue
        [ -f "$system/$key" ] || [[ $key == api-ms-win-* ]] ||
            e2e_fail "${file#"$dir"/} imports $dll, which is neither in the zip nor Windows' own"
    done
    [[ $file == *.exe ]] && echo "   the program imports: $(echo $imports)"
done
for file in "$dir"/*.dll; do
    dll=$(basename "$file")
    [ -n "${imported[${dll,,}]:-}" ] || e2e_fail "the zip holds $dll, which nothing imports"
done
echo "   shipped: $(cd "$dir" && echo *.dll platforms/*.dll)"
echo "windows_zip passed"
