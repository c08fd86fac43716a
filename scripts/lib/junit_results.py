#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Reads the JUnit file of one CTest run (ctest --output-junit) and tells, for every test,
whether it passed, failed or was skipped: a failure with the first thing that went wrong and
the command that runs it again, a skip with its reason, and every case skipped inside a test
that ran (GoogleTest's GTEST_SKIP, QtTest's QSKIP) as a skip of its own.

    junit_results.py <suite> <source folder> <build folder as shown> <junit file>

Prints one record a line, fields split by a tab; each F and S record is one counted item:
    P <test>          a test that passed
    F <text>          a failed test, then f <text> for more lines about it
    S <text>          a skipped test, or a case skipped inside a test
"""
import re
import sys
import xml.etree.ElementTree as ElementTree

SANITIZER = re.compile(r"ERROR: [A-Za-z]+Sanitizer|ERROR: libFuzzer|runtime error: ")
GTEST_RUN = re.compile(r"^\[ RUN      \] (\S+)")
SKIP_LINE = re.compile(r"^skipped: *(.*)", re.IGNORECASE)


def block_after(lines, at, limit=6):
    """The lines after `at` up to a blank one or a GoogleTest marker, at most `limit`."""
    block = []
    for line in lines[at + 1:at + 1 + limit]:
        if not line.strip() or line.startswith("["):
            break
        block.append(line.strip())
    return block


def first_failure(lines):
    """What went wrong first in a failed test's output, as a few lines."""
    case = ""
    for at, line in enumerate(lines):
        run = GTEST_RUN.match(line)
        if run:
            case = run.group(1)
        if line.startswith("FAIL!  : "):  # QtTest: the check, its values, its place
            found = [line]
            for more in lines[at + 1:at + 7]:
                if not more[:1].isspace():
                    break
                found.append(more.strip())
                if more.strip().startswith("Loc: "):
                    break
            return found
        if line.endswith(": Failure"):  # GoogleTest: the place, then the message
            return [(case + ": " if case else "") + line] + block_after(lines, at)
        if line.startswith("FAILED while "):  # a desktop test script: the step, then what
            return [line] + [text.strip() for text in lines[at + 1:at + 2]]
        if SANITIZER.search(line):
            text = re.sub(r" at pc 0x.*", "", re.sub(r"^==\d+== ?", "", line.strip()))
            summary = [more for more in lines[at + 1:] if more.startswith("SUMMARY: ")]
            return [text] + summary[:1]
        if line.startswith("CMake Error"):  # a CMake script test: its message follows
            return [more.strip() for more in lines[at + 1:] if more.strip()][:3]
    last = [line.strip() for line in lines if line.strip()][-3:]
    return last or ["(it printed nothing)"]


def inner_skips(lines):
    """The reason of every case skipped inside a test that ran."""
    case = ""
    for at, line in enumerate(lines):
        run = GTEST_RUN.match(line)
        if run:
            case = run.group(1)
        if line.startswith("SKIP   : "):  # QtTest
            yield line[9:].strip()
        elif line.endswith(": Skipped"):  # GoogleTest: the place, then the message
            yield case + ": " + (" ".join(block_after(lines, at)) or line)


def skip_reason(test, lines):
    """Why a test that did not run was skipped, in its own words where it gave any."""
    for line in lines:
        said = SKIP_LINE.match(line)
        if said and said.group(1):
            return said.group(1)
    if test.get("status") == "disabled":
        return "disabled in its CMakeLists.txt"
    last = [line.strip() for line in lines if line.strip()]
    return last[-1] if last else "it exited with its skip code and printed nothing"


def records(suite, root, build, junit):
    shown = (lambda text: text.replace(root + "/", "")) if root else (lambda text: text)
    for test in ElementTree.parse(junit).getroot().iter("testcase"):
        name = test.get("name")
        lines = (test.findtext("system-out") or "").splitlines()
        where = f"  {name} ({suite})"
        skipped = test.find("skipped")
        not_run = test.get("status") == "disabled" or (
            skipped is not None and skipped.get("message", "").startswith("SKIP_"))
        if not_run:
            yield "S", f"{where}: {shown(skip_reason(test, lines))}"
            continue
        if test.get("status") == "run":
            yield "P", name
        else:
            found = first_failure(lines)
            seconds = round(float(test.get("time", 0)))  # a test that timed out says no more
            yield "F", f"{where}, after {seconds} s: {shown(found[0])}"
            for line in found[1:]:
                yield "f", "      " + shown(line)
            yield "f", f"      again: ctest --test-dir {build} -R '^{name}$' --output-on-failure"
        for reason in inner_skips(lines):
            yield "S", f"{where}, skipped inside: {shown(reason)}"


def main(suite, root, build, junit):
    for kind, text in records(suite, root, build, junit):
        print(f"{kind}\t{text}")


if __name__ == "__main__":
    main(*sys.argv[1:])
