#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The test command's closing verdict (scripts/lib/suites.sh), over four suites of a fixture
# project: one whose tests fail and are skipped in every way the real ones can, one whose
# configure step fails, one without tests, and last one that passes, as the real command's
# last suite often does. The verdict must count all of them, come after everything else,
# show each failure's first failing check and each skip's reason, and fail the command.
#
#   verdict_test.sh <fixture project> <work folder> <qtest fixture> <gtest fixture>
#                   <crash fixture> <1 if built with AddressSanitizer, else 0>
set -euo pipefail
fixture=$1 work=$2 qtest=$3 gtest=$4 crash=$5 sanitized=$6
source_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
rm -rf "$work"
mkdir -p "$work"
output="$work/output"

fail() {
    echo "FAILED: $*" >&2
    echo "--- what the command printed ---" >&2
    cat "$output" >&2
    exit 1
}

# The line in a fixture source that carries a marker comment.
line_of() { grep -n -F "$2" "$source_root/tests/scripts/$1" | cut -d: -f1; }

# From inside the work folder, the paths the verdict shows are relative to it.
cd "$work"
status=0
(
    export VORN_LOGS="$work/logs"
    source "$source_root/scripts/lib/common.sh"
    source "$source_root/scripts/lib/suites.sh"
    export VORN_SOURCE="$fixture"
    # Away from any display: the desktop tests' library would take a screenshot of it.
    unset DISPLAY
    vorn_suite full "$work/full" -DFIXTURE=full "-DQTEST=$qtest" "-DGTEST=$gtest" \
        "-DCRASH=$crash" "-DSANITIZED=$sanitized" "-DLIB=$source_root/tests/e2e/lib.sh"
    vorn_suite broken "$work/broken" -DFIXTURE=broken
    vorn_suite empty "$work/empty" -DFIXTURE=empty
    vorn_suite passing "$work/passing" -DFIXTURE=passing
    vorn_verdict
) >"$output" 2>&1 </dev/null || status=$?

[ "$status" -eq 1 ] || fail "the command exited with $status, not 1"

# --- one verdict over every suite, after everything else --------------------------------
failed=$((7 + sanitized))
verdict="Verdict: 2 passed, $failed failed, 1 skipped"
[ "$(grep -c '^Verdict: ' "$output")" -eq 1 ] || fail "not exactly one verdict line"
verdict_at=$(grep -n '^Verdict: ' "$output" | cut -d: -f1)
[ "$(sed -n "${verdict_at}p" "$output")" = "$verdict" ] || fail "the verdict is not \"$verdict\""
last_progress=$(grep -n -E '^(Building|Testing) | Test +#' "$output" | tail -n 1 | cut -d: -f1)
((last_progress < verdict_at)) || fail "progress lines follow the verdict"
[ "$(sed -n "$((verdict_at + 1))p" "$output")" = "Failed:" ] ||
    fail "the failures do not follow the verdict"
skipped_at=$(grep -n '^Skipped:$' "$output" | cut -d: -f1)
[ -n "$skipped_at" ] || fail "no list of skips"
[ "$skipped_at" -gt "$verdict_at" ] || fail "the skips come before the verdict"
[ "$(wc -l <"$output")" -le $((skipped_at + 3)) ] || fail "more than the three skips after them"

# Only the verdict speaks of the tests' own output: none of their passing lines show.
! grep -q -E '^PASS   :|^\[ RUN|^fine$' "$output" || fail "the tests' own output leaked"

failures=$(sed -n "$((verdict_at + 2)),$((skipped_at - 1))p" "$output")
skips=$(sed -n "$((skipped_at + 1)),\$p" "$output")

# expect <section text> <name of the section> <fixed strings, one per line, in this order>
expect() {
    local text=$1 section=$2 wanted rest
    rest=$text
    while IFS= read -r wanted; do
        [[ $rest == *"$wanted"* ]] || fail "the $section do not show, in order: $wanted"
        rest=${rest#*"$wanted"}
    done <<<"$3"
}

# --- each failure, with what went wrong first -----------------------------------------------
expect "$failures" failures "\
  qtest_fails (full): FAIL!  : VerdictFixture::failsFirst() Compared values are not the same
Actual   (answer): 41
Expected (42)    : 42
Loc: [tests/scripts/verdict_fixture_qtest.cpp($(line_of verdict_fixture_qtest.cpp '// the first failing check'))]
again: ctest --test-dir full -R '^qtest_fails\$' --output-on-failure"
expect "$failures" failures "\
  gtest_fails (full): VerdictFixture.FailsFirst: tests/scripts/verdict_fixture_gtest.cpp:$(line_of verdict_fixture_gtest.cpp 'the first failing check'): Failure
Expected equality of these values:
the first failing check"
[[ $failures != *"second failure"* ]] || fail "a failure after the first one is shown"
expect "$failures" failures "\
  aborts (full) [Exception: Subprocess aborted]: about to abort"
if ((sanitized)); then
    expect "$failures" failures "\
  overflows (full): ERROR: AddressSanitizer: heap-buffer-overflow
SUMMARY: AddressSanitizer: heap-buffer-overflow tests/scripts/verdict_fixture_crash.cpp:$(line_of verdict_fixture_crash.cpp '// the overflow')"
fi
expect "$failures" failures "\
  script_fails (full): FAILED while pressing Save:
the ROM did not change"
expect "$failures" failures "\
  times_out (full) [Timeout]: waiting"
expect "$failures" failures "\
  the build of broken (broken) failed:
this suite is broken on purpose
log: logs/build-broken.log"
expect "$failures" failures "\
  the tests of empty: CTest ran no test"

# The command each failure offers runs that one test again.
ran=$(ctest --test-dir full -R '^qtest_fails$' -N | sed -n 's/^Total Tests: //p')
[ "$ran" = 1 ] || fail "the offered command finds $ran tests, not qtest_fails alone"

# --- each skip, with its reason -------------------------------------------------------------
expect "$skips" skips "\
  script_skips (full): no mount namespace can be made here
  qtest_fails (full), skipped inside: VerdictFixture::skips() needs a joystick, and none is plugged in"
expect "$skips" skips "\
  gtest_fails (full), skipped inside: VerdictFixture.Skips: needs a printer, and none is attached"

echo "scripts_verdict passed: \"$verdict\", each failure and skip as they should be"
