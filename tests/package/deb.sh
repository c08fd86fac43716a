#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian package, built the way the README says (scripts/package) in a release build of its
# own: its name and control fields carry the build's version, its dependencies were worked out
# from the executable and can all be met here (apt-get --simulate), it holds exactly the files
# of an installation into /usr with root as their owner, its desktop entry and AppStream data
# validate, and dpkg installs it into a throw-away root and removes it again without a trace.
#
#   deb.sh <source folder> <work folder> <version> <AppStream id>
set -euo pipefail
source_dir=$1 work=$2 version=$3 id=$4

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

mkdir -p "$work"
rm -rf "$work/logs" "$work/contents" "$work/root"
# The release build stays between runs, so that a second run builds only what changed.
VORN_LOGS="$work/logs" VORN_NO_INSTALL=1 bash "$source_dir/scripts/package" "$work/release" \
    >"$work/package.out" 2>&1 ||
    fail "scripts/package failed: $(cat "$work/package.out")"

arch=$(dpkg --print-architecture)
name="vorn-header-editor_${version}_$arch.deb"
deb="$work/release/$name"
[ -s "$deb" ] || fail "no $name; scripts/package made: $(ls "$work/release"/*.deb 2>/dev/null)"
grep -q -F "apt install ./" "$work/package.out" ||
    fail "scripts/package does not say how to install the package"

# --- the control fields ------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = "vorn-header-editor" ] || fail "Package is \"$(field Package)\""
[ "$(field Version)" = "$version" ] || fail "Version is \"$(field Version)\", not $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is \"$(field Architecture)\""
[[ $(field Maintainer) == *" <"*@*">" ]] || fail "Maintainer \"$(field Maintainer)\" has no address"
[ -n "$(field Description)" ] || fail "no Description"
# The libraries the executable links, as dpkg-shlibdeps names them, each with a version.
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    pattern=", ${library//+/\\+} \\(>= [^)]+\\),"
    [[ ", $depends," =~ $pattern ]] ||
        fail "Depends does not name $library with a version: $depends"
done
[[ $depends != *libasan* && $depends != *libubsan* ]] || fail "a sanitized build was packaged"
# Every dependency can be met from what this machine has or can get; nothing is changed.
apt-get install --simulate --no-install-recommends "$deb" >"$work/simulate.log" 2>&1 ||
    fail "apt-get cannot install it here: $(tail -n 5 "$work/simulate.log")"

# --- the files ---------------------------------------------------------------------------
dpkg-deb -c "$deb" >"$work/listing"
expected="./usr/bin/vorn-header-editor
./usr/bin/vorn-headers
./usr/share/applications/vorn-header-editor.desktop
./usr/share/doc/vorn-header-editor/changelog.gz
./usr/share/doc/vorn-header-editor/copyright
./usr/share/icons/hicolor/128x128/apps/vorn-header-editor.png
./usr/share/icons/hicolor/48x48/apps/vorn-header-editor.png
./usr/share/icons/hicolor/scalable/apps/vorn-header-editor.svg
./usr/share/man/man1/vorn-header-editor.1.gz
./usr/share/man/man1/vorn-headers.1.gz
./usr/share/metainfo/$id.metainfo.xml"
files=$(awk '$1 !~ /^d/ { print $6 }' "$work/listing" | sort)
[ "$files" = "$expected" ] || fail "the package holds other files than an installation:
$(diff <(echo "$expected") <(echo "$files"))"
! awk '{ print $2 }' "$work/listing" | grep -v -x 'root/root' >/dev/null ||
    fail "files not owned by root: $(awk '$2 != "root/root"' "$work/listing")"
for program in vorn-header-editor vorn-headers; do
    grep -q -E "^-rwxr-xr-x .* \./usr/bin/$program\$" "$work/listing" ||
        fail "the executable $program is not mode 0755"
done
! awk '$1 ~ /^-/ && $6 !~ /^\.\/usr\/bin\// && $1 != "-rw-r--r--"' "$work/listing" |
    grep . || fail "a data file is not mode 0644"

contents="$work/contents"
dpkg-deb -x "$deb" "$contents"
for program in vorn-header-editor vorn-headers; do
    file "$contents/usr/bin/$program" | grep -q ', stripped' ||
        fail "the executable is not stripped: $(file "$contents/usr/bin/$program")"
done
entry="$contents/usr/share/applications/vorn-header-editor.desktop"
[ "$(sed -n 's/^Exec=//p' "$entry")" = "/usr/bin/vorn-header-editor" ] ||
    fail "the desktop entry starts \"$(sed -n 's/^Exec=//p' "$entry")\", not the packaged program"
if ! report=$(desktop-file-validate "$entry" 2>&1) || [ -n "$report" ]; then
    fail "desktop-file-validate: $report"
fi
metainfo="$contents/usr/share/metainfo/$id.metainfo.xml"
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $report"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the AppStream release is not $version"
zcat "$contents/usr/share/doc/vorn-header-editor/changelog.gz" | head -n 1 |
    grep -q -F "vorn-header-editor ($version)" || fail "the change log's last entry is not $version"

# The copyright file names the MIT License and holds the words of LICENSE.
copyright="$contents/usr/share/doc/vorn-header-editor/copyright"
grep -q -x 'License: MIT' "$copyright" || fail "the copyright file does not name the MIT License"
licence_words() { tr -s ' \n.' '\n' | grep -v '^$'; }
diff <(sed -n '/^Permission is hereby granted/,$p' "$source_dir/LICENSE" | licence_words) \
    <(sed -n '/^ Permission is hereby granted/,$p' "$copyright" | licence_words) >/dev/null ||
    fail "the copyright file's licence text is not the one in LICENSE"

# --- installed into a throw-away root, then removed ----------------------------------------
root="$work/root"
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info" "$root/var/log"
touch "$root/var/lib/dpkg/status"
# The root holds nothing else, so the dependencies cannot be met there (apt-get showed that
# they can be here); as a normal user dpkg needs to be told that it may run as one. dpkg looks
# for ldconfig and start-stop-daemon on PATH before it does anything, and an ordinary user's
# PATH has no sbin folders: they are added here, whoever runs the test.
dpkg_root() {
    PATH="/usr/local/sbin:/usr/sbin:/sbin:$PATH" HOME="$work" \
        dpkg --root="$root" --log="$root/var/log/dpkg.log" --force-not-root "$@"
}
dpkg_root --force-depends -i "$deb" >"$work/install.log" 2>&1 ||
    fail "dpkg could not install it: $(tail -n 5 "$work/install.log")"
dpkg_root -s vorn-header-editor | grep -q -x 'Status: install ok installed' ||
    fail "dpkg does not call it installed"
while IFS= read -r path; do
    [ -f "$root/${path#./}" ] || fail "installed, but ${path#.} is missing"
done <<<"$expected"
[ -x "$root/usr/bin/vorn-header-editor" ] || fail "the installed program is not executable"
dpkg_root --purge vorn-header-editor >"$work/remove.log" 2>&1 ||
    fail "dpkg could not remove it: $(tail -n 5 "$work/remove.log")"
left=$(find "$root" -path "$root/var" -prune -o ! -type d -print)
[ -z "$left" ] || fail "removing it left files behind: $left"

echo "package_deb passed: $name ($(stat -c %s "$deb") bytes), installed into a throw-away" \
    "root and removed again; Depends: $depends"
