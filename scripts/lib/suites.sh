# SPDX-License-Identifier: MIT
# Builds and runs CTest suites, and closes with one verdict over all of them: how many tests
# passed, failed and were skipped (cases skipped inside a test that ran count as skips too),
# then each failure with what went wrong first, then each skip with its reason, each read from
# CTest's JUnit file by junit_results.py. Needs common.sh.
#
#   vorn_suite main "$VORN_ROOT/build/test" -DCMAKE_BUILD_TYPE=Debug ...
#   CC=clang CXX=clang++ vorn_suite fuzz "$VORN_ROOT/build/fuzz" ...
#   vorn_verdict    # returns non-zero when a build or a test failed

VORN_PASSED=0
VORN_FAILED=0
VORN_SKIPPED=0
VORN_FAILURES=()
VORN_SKIPS=()
VORN_TIMES=()  # each suite's wall time

# vorn_suite <name> <build folder> [cmake options...]: configures and builds the project into
# the folder, then runs its tests. A suite whose build fails counts as one failure.
vorn_suite() {
    local name=$1 build=$2
    shift 2
    local start=$SECONDS
    if ! vorn_build "$name" "$build" "$@" 2>/dev/null; then
        VORN_FAILED=$((VORN_FAILED + 1))
        VORN_FAILURES+=("  the build of $name ($(vorn_path "$build")) failed:")
        local line
        while IFS= read -r line; do
            VORN_FAILURES+=("      $line")
        done < <(vorn_first_errors "$VORN_LOGS/build-$name.log" | head -n 6)
        VORN_FAILURES+=("      log: $(vorn_path "$VORN_LOGS/build-$name.log")")
        vorn_suite_time "$name" "$start" "$SECONDS"
        return 0
    fi
    local built=$SECONDS
    vorn_run_tests "$name" "$build"
    vorn_suite_time "$name" "$start" "$built"
}

# vorn_suite_time <name> <start> <end of the build>: shows and keeps the suite's wall time; for
# a build that failed, all of it is the build's.
vorn_suite_time() {
    local line
    line="$1 took $(vorn_duration $((SECONDS - $2))) (build $(vorn_duration $(($3 - $2))))"
    VORN_TIMES+=("  $line")
    echo "Suite $line"
}

vorn_duration() {
    printf '%d min %02d s\n' $(($1 / 60)) $(($1 % 60))
}

# vorn_run_tests <name> <build folder>: runs the tests of a built folder through CTest, shows
# one line per test as it ends, and keeps the results for the verdict.
vorn_run_tests() {
    local name=$1 build=$2
    local console="$VORN_LOGS/ctest-$name.log"
    local results="$VORN_LOGS/results-$name.txt"
    local junit="$VORN_LOGS/junit-$name.xml"
    mkdir -p "$VORN_LOGS"
    echo "Testing $name (log: $(vorn_path "$console"))"
    local status_file="$VORN_LOGS/ctest-$name.status"
    rm -f "$status_file" "$junit"
    # The whole output of every test is kept for the verdict, not only the first kilobyte.
    # Tests run side by side, one per core; those that need the machine alone say so.
    (
        cd "$build"
        status=0
        ctest --timeout 600 --parallel "$(nproc)" --test-output-size-passed 10000000 \
            --test-output-size-failed 10000000 --output-junit "$junit" || status=$?
        echo "$status" >"$status_file"
    ) </dev/null 2>&1 | tee "$console" |
        { grep --line-buffered -E "^ *[0-9]+/[0-9]+ Test +#" || true; }
    local status
    status=$(cat "$status_file" 2>/dev/null || echo 1)

    : >"$results"
    if [ -s "$junit" ]; then
        python3 "$VORN_ROOT/scripts/lib/junit_results.py" "$name" "$VORN_ROOT" \
            "$(vorn_path "$build")" "$junit" >"$results" 2>>"$console" || true
    fi

    local kind text ran=0 failed=0
    while IFS=$'\t' read -r kind text; do
        case $kind in
            P) VORN_PASSED=$((VORN_PASSED + 1)) ran=$((ran + 1)) ;;
            F) VORN_FAILED=$((VORN_FAILED + 1)) ran=$((ran + 1)) failed=$((failed + 1))
               VORN_FAILURES+=("$text") ;;
            f) VORN_FAILURES+=("$text") ;;
            S) VORN_SKIPPED=$((VORN_SKIPPED + 1)) ran=$((ran + 1))
               VORN_SKIPS+=("$text") ;;
        esac
    done <"$results"

    # CTest's own exit status has the last word: a run that failed without a failed test to
    # show (no tests found, a crash of CTest itself) is one failure more.
    if ((ran == 0)) || { ((status != 0)) && ((failed == 0)); }; then
        VORN_FAILED=$((VORN_FAILED + 1))
        local what="CTest ran no test (status $status)"
        ((ran == 0)) || what="CTest failed (status $status) though no test failed"
        VORN_FAILURES+=("  the tests of $name: $what; its last lines:")
        local line
        while IFS= read -r line; do
            VORN_FAILURES+=("      $line")
        done < <(grep -v '^ *$' "$console" | tail -n 4)
    fi
}

# Prints the verdict over every suite run so far; returns 1 when anything failed.
vorn_verdict() {
    echo
    echo "Suites (logs in $(vorn_path "$VORN_LOGS")):"
    printf '%s\n' "${VORN_TIMES[@]}"
    echo "Verdict: $VORN_PASSED passed, $VORN_FAILED failed, $VORN_SKIPPED skipped"
    if ((${#VORN_FAILURES[@]} > 0)); then
        echo "Failed:"
        printf '%s\n' "${VORN_FAILURES[@]}"
    fi
    if ((${#VORN_SKIPS[@]} > 0)); then
        echo "Skipped:"
        printf '%s\n' "${VORN_SKIPS[@]}"
    fi
    ((VORN_FAILED == 0))
}
