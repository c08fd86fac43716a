#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# The test command's reader of CTest's JUnit files, on one run with a test of each kind.
import io, os, sys
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../../scripts/lib"))
from junit_results import records

RUN = """<testsuite><testcase name="passes" status="run"><system-out>[ RUN      ] Files.Mode
/src/rom_test.cpp:9: Skipped
needs an ordinary user</system-out></testcase>
<testcase name="qtest" status="fail" time="2.4"><failure/><system-out>FAIL!  : T::b() Not the same
   Loc: [/src/t.cpp(7)]
FAIL!  : T::c() second</system-out></testcase>
<testcase name="skips" status="notrun"><skipped message="SKIP_RETURN_CODE=77"/>
<system-out>SKIPPED: no mount namespace</system-out></testcase>
<testcase name="crash" status="fail"><failure/><system-out>==7==ERROR: AddressSanitizer: \
overflow at pc 0x2
SUMMARY: AddressSanitizer: overflow /src/a.cpp:3 in f</system-out></testcase></testsuite>"""
AGAIN = "      again: ctest --test-dir build -R '^%s$' --output-on-failure"

GOT = list(records("main", "/src", "build", io.StringIO(RUN)))
assert GOT == [
    ("P", "passes"),
    ("S", "  passes (main), skipped inside: Files.Mode: needs an ordinary user"),
    ("F", "  qtest (main), after 2 s: FAIL!  : T::b() Not the same"),
    ("f", "      Loc: [t.cpp(7)]"), ("f", AGAIN % "qtest"),
    ("S", "  skips (main): no mount namespace"),
    ("F", "  crash (main), after 0 s: ERROR: AddressSanitizer: overflow"),
    ("f", "      SUMMARY: AddressSanitizer: overflow a.cpp:3 in f"), ("f", AGAIN % "crash"),
], "\n".join(map(str, GOT))
