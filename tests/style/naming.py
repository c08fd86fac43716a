#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Every name in the editor's own C++ sources (rom/, ui/, app/, headers/) and their headers follows the
project's naming convention: CONTRIBUTING.md's "Names", written for clang-tidy in .clang-tidy.

    naming.py <build folder> <source folder>

clang-tidy reads each library whole, as one file that includes all of the library's sources
with the flags the build compiles them with (as a release build compiles them, see the top
CMakeLists.txt): the Qt headers are then parsed once per library rather than once per file.
"""
import concurrent.futures
import json
import os
import re
import shutil
import subprocess
import sys

build, source = sys.argv[1:]
own = re.compile(re.escape(source) + r"/(rom|ui|app|headers)/")
tidy = shutil.which("clang-tidy") or shutil.which("clang-tidy-14")
if not tidy:
    sys.exit("clang-tidy is not installed (Debian package clang-tidy)")

# The editor's sources by the library (CMake target) that compiles them.
libraries = {}
with open(os.path.join(build, "compile_commands.json")) as database:
    for entry in json.load(database):
        target = re.search(r"CMakeFiles/([^/ ]+)\.dir/", entry["command"])
        if own.match(entry["file"]) and target:
            libraries.setdefault(target.group(1), []).append(entry)
if not libraries:
    sys.exit(f"no file of {build}/compile_commands.json lies under {source}/rom, ui, app or headers")

work = os.path.join(build, "naming")
os.makedirs(work, exist_ok=True)
units = []
for target, entries in libraries.items():
    unit = os.path.join(work, target + ".cpp")
    with open(unit, "w") as text:
        text.writelines(f'#include "{entry["file"]}"\n' for entry in entries)
    first = entries[0]
    units.append({"directory": first["directory"], "file": unit,
                  "command": first["command"].replace(first["file"], unit)})
with open(os.path.join(work, "compile_commands.json"), "w") as database:
    json.dump(units, database)


def check(unit):
    # g++'s warning options mean nothing to clang; the naming check needs none of them.
    return subprocess.run(
        [tidy, "-p", work, "--quiet", f"--config-file={source}/.clang-tidy",
         f"--header-filter={re.escape(source)}/(rom|ui|app)/",
         "--extra-arg=-Wno-unknown-warning-option", unit["file"]],
        capture_output=True, text=True)


with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
    runs = list(pool.map(check, units))
output = "".join(run.stdout + run.stderr for run in runs)
problems = sorted(set(re.findall(r"^.*: (?:warning|error): .*$", output, re.MULTILINE)))
checked = sum(len(entries) for entries in libraries.values())
if problems or any(run.returncode != 0 for run in runs):
    print(f"{len(problems)} names break the naming convention (or clang-tidy failed), first:")
    print("\n".join(problems) or output[-2000:])
    sys.exit(1)
print(f"checked the names in {checked} files of {len(units)} libraries")
