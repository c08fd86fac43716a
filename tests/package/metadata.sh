#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What desktops and software centres read about the installed editor: the desktop entry passes
# desktop-file-validate, the AppStream data passes `appstreamcli validate` (offline, with and
# without screenshots), and both say what this build is: its version and release date, its
# licence, its executable, desktop entry and icon, each of which is installed.
#
#   metadata.sh <build> <work folder> <version> <release date> <AppStream id>
#               <metainfo listing screenshots> <docs/screenshots folder>
set -euo pipefail
build=$1 work=$2 version=$3 date=$4 id=$5 with_screenshots=$6 shots=$7

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "$work/install.log")"
entry="$prefix/share/applications/vorn-header-editor.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
[ -s "$entry" ] || fail "no desktop entry installed"
[ -s "$metainfo" ] || fail "no AppStream data installed as share/metainfo/$id.metainfo.xml"

# Both validators also warn on stdout with status 0; a warning counts as a failure here.
if ! report=$(desktop-file-validate "$entry" 2>&1) || [ -n "$report" ]; then
    fail "desktop-file-validate: $report"
fi
for file in "$metainfo" "$with_screenshots"; do
    report=$(appstreamcli validate --no-net "$file" 2>&1) ||
        fail "appstreamcli validate ${file##*/}: $report"
done

# value <element or attribute pattern>: the text that follows it up to the next '<' or '"'.
value() { sed -n "s|.*$1\\([^<\"]*\\).*|\\1|p" "$metainfo" | head -n 1; }
[ "$(value '<id>')" = "$id" ] || fail "the id is \"$(value '<id>')\", not the file's name, $id"
[ "$(value '<release version="')" = "$version" ] ||
    fail "the release is \"$(value '<release version="')\", not the build's version $version"
[ "$(value '<release version="[^"]*" date="')" = "$date" ] ||
    fail "the release date is not $date"
[ "$(value '<project_license>')" = "MIT" ] || fail "the project licence is not MIT"
[ "$(value '<metadata_license>')" = "MIT" ] || fail "the metadata licence is not MIT"
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "no OARS content rating"
launchable=$(value '<launchable type="desktop-id">')
[ "$prefix/share/applications/$launchable" = "$entry" ] ||
    fail "the launchable \"$launchable\" is not the installed desktop entry"
binary=$(value '<binary>')
[ -n "$binary" ] && [ -x "$prefix/bin/$binary" ] ||
    fail "the provided binary \"$binary\" is not installed in bin/"

icon=$(sed -n 's/^Icon=//p' "$entry")
[ -s "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
    fail "the entry's icon \"$icon\" is not in the hicolor theme"
! grep -q '<screenshot' "$metainfo" || fail "screenshots are listed without a web address for them"

# With an address, every screenshot is a file of docs/screenshots, at its real size.
shots_listed=0
while IFS= read -r image; do
    width=$(sed -n 's/.*width="\([0-9]*\)".*/\1/p' <<<"$image")
    height=$(sed -n 's/.*height="\([0-9]*\)".*/\1/p' <<<"$image")
    name=$(sed -n 's|.*/\([^/<]*\)</image>.*|\1|p' <<<"$image")
    [ -s "$shots/$name" ] || fail "the listed screenshot $name is not in docs/screenshots"
    read -r real_width real_height < <(od -An -tu1 -j16 -N8 "$shots/$name" |
        awk '{ print (($1 * 256 + $2) * 256 + $3) * 256 + $4,
                     (($5 * 256 + $6) * 256 + $7) * 256 + $8 }')
    [ "$width $height" = "$real_width $real_height" ] ||
        fail "$name is listed as ${width}x$height but is ${real_width}x$real_height"
    shots_listed=$((shots_listed + 1))
done < <(grep '<image' "$with_screenshots")
((shots_listed > 0)) || fail "no screenshot listed even with a web address for them"

echo "desktop_metadata passed: the entry and the AppStream data of $version validate" \
    "($shots_listed screenshots when they have an address)"
