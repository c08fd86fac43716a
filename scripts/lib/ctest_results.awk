# SPDX-License-Identifier: MIT
# Reads one CTest run and tells, for every test, whether it passed, failed or was skipped, with
# what went wrong first in a failed one and the reason a skipped one gives.
#
#   awk -v suite=<name> -v root=<source folder> -v build=<build folder as shown> \
#       -f ctest_results.awk <build>/Testing/Temporary/LastTest.log <ctest's console output>
#
# The status comes from CTest's console lines ("3/15 Test #3: name ....***Failed  1.2 sec"),
# because its LastTest.log calls a skipped test "Passed"; the output of each test comes from
# LastTest.log. Prints one record a line, fields split by a tab:
#   P <test>              a test that passed
#   F <text>, f <text>    a failed test, then more lines about it
#   S <text>, s <text>    a skipped test, then more lines about it
#   I <text>              a check skipped inside a test that itself passed or failed

BEGIN { OFS = "\t" }

# --- LastTest.log: every test's output -----------------------------------------------------

FILENAME == ARGV[1] {  # (not FNR == NR, which an empty log would fool)
    if (match($0, /^[0-9]+\/[0-9]+ Testing: /)) {
        current = substr($0, RLENGTH + 1)
        lines[current] = 0
        capturing = 0
        next
    }
    if ($0 == "Output:") {
        expect_rule = 1
        next
    }
    if (expect_rule) {
        expect_rule = 0
        capturing = ($0 ~ /^-+$/)
        next
    }
    if (capturing) {
        line = $0
        if (sub(/<end of output>$/, "", line)) {
            capturing = 0
            if (line == "") next
        }
        output[current, ++lines[current]] = line
    }
    next
}

# --- the console output: every test's status ----------------------------------------------

match($0, /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: /) {
    rest = substr($0, RLENGTH + 1)
    name = rest
    sub(/ .*/, "", name)
    status = substr(rest, length(name) + 1)
    sub(/^ *\.* */, "", status)
    sub(/ +[0-9.]+ sec$/, "", status)
    # "***Failed", "***Exception: SegFault", but also "Subprocess aborted***Exception:".
    if (match(status, /\*\*\*/)) {
        status = trim(substr(status, RSTART + 3) " " substr(status, 1, RSTART - 1))
    }
    order[++count] = name
    state[name] = status
}

# --- what to say about each test ------------------------------------------------------------

function shown(text, at) {  # paths inside the source folder, relative to it
    if (root == "") return text
    while ((at = index(text, root "/")) > 0)
        text = substr(text, 1, at - 1) substr(text, at + length(root) + 1)
    return text
}

function trim(text) {
    sub(/^[ \t]+/, "", text)
    sub(/[ \t]+$/, "", text)
    return text
}

# The first thing that went wrong in a test's output, as lines in found[1..found_count].
function first_failure(test,    i, n, line, gtest, j, k) {
    found_count = 0
    n = lines[test]
    for (i = 1; i <= n; i++) {
        line = output[test, i]
        if (line ~ /^\[ RUN      \] /) gtest = substr(line, 14)
        if (line ~ /^FAIL!  : /) {  # QtTest: the check, its values, its place
            found[++found_count] = line
            for (j = i + 1; j <= n && j <= i + 6 && output[test, j] ~ /^[ \t]/; j++) {
                found[++found_count] = trim(output[test, j])
                if (output[test, j] ~ /^[ \t]*Loc: /) break
            }
            return
        }
        if (line ~ /: Failure$/) {  # GoogleTest: the place, then the message
            found[++found_count] = (gtest != "" ? gtest ": " : "") line
            for (j = i + 1; j <= n && j <= i + 6; j++) {
                if (output[test, j] ~ /^\[/ || output[test, j] == "") break
                found[++found_count] = output[test, j]
            }
            return
        }
        if (line ~ /^FAILED while /) {  # a desktop test script: the step, then what failed
            found[++found_count] = line
            if (i < n) found[++found_count] = trim(output[test, i + 1])
            return
        }
        if (line ~ /ERROR: [A-Za-z]+Sanitizer|ERROR: libFuzzer|runtime error: /) {
            line = trim(line)
            sub(/^==[0-9]+== ?/, "", line)  # the process id
            sub(/ at pc 0x.*/, "", line)     # and the registers
            found[++found_count] = line
            for (j = i + 1; j <= n; j++)
                if (output[test, j] ~ /^SUMMARY: /) {
                    found[++found_count] = output[test, j]
                    break
                }
            return
        }
        if (line ~ /^CMake Error/) {  # a CMake script test: its message follows
            for (j = i + 1; j <= n && found_count < 3; j++)
                if (trim(output[test, j]) != "") found[++found_count] = trim(output[test, j])
            return
        }
    }
    # Nothing recognisable: the last lines it printed.
    for (j = n; j >= 1 && k < 3; j--)
        if (trim(output[test, j]) != "") keep[++k] = trim(output[test, j])
    for (j = k; j >= 1; j--) found[++found_count] = keep[j]
    if (k == 0) found[++found_count] = "(it printed nothing)"
}

# The reason a skipped test gives.
function skip_reason(test,    i, n, line, gtest, j, text) {
    n = lines[test]
    for (i = 1; i <= n; i++) {
        line = output[test, i]
        if (line ~ /^\[ RUN      \] /) gtest = substr(line, 14)
        if (line ~ /^SKIPPED: /) return substr(line, 10)
        if (line ~ /^SKIP   : /) return trim(substr(line, 10))
        if (line ~ /: Skipped$/) {
            text = gtest
            for (j = i + 1; j <= n && output[test, j] !~ /^\[/ && output[test, j] != ""; j++)
                text = text (text == "" ? "" : ": ") trim(output[test, j])
            return text
        }
    }
    if (state[test] ~ /Disabled/) return "disabled in its CMakeLists.txt"
    return "(it printed no reason)"
}

# Checks skipped inside a test that ran: QtTest's SKIP lines, GoogleTest's skipped cases.
function inner_skips(test,    i, n, line, gtest, j, text) {
    n = lines[test]
    for (i = 1; i <= n; i++) {
        line = output[test, i]
        if (line ~ /^\[ RUN      \] /) gtest = substr(line, 14)
        if (line ~ /^SKIP   : /)
            print "I", "  " test " (" suite "), skipped inside: " shown(trim(substr(line, 10)))
        if (line ~ /: Skipped$/) {
            text = ""
            for (j = i + 1; j <= n && output[test, j] !~ /^\[/ && output[test, j] != ""; j++)
                text = text (text == "" ? "" : " ") trim(output[test, j])
            print "I", "  " test " (" suite "), skipped inside: " gtest ": " shown(text)
        }
    }
}

END {
    for (t = 1; t <= count; t++) {
        test = order[t]
        status = state[test]
        if (status ~ /^Passed/) {
            print "P", test
            inner_skips(test)
        } else if (status ~ /^Skipped/ || status ~ /^Not Run \(Disabled\)/) {
            print "S", "  " test " (" suite "): " shown(skip_reason(test))
        } else {
            first_failure(test)
            note = (status ~ /^Failed/) ? "" : " [" status "]"
            print "F", "  " test " (" suite ")" note ": " shown(found[1])
            for (i = 2; i <= found_count; i++) print "f", "      " shown(found[i])
            print "f", "      again: ctest --test-dir " build " -R '^" test "$' --output-on-failure"
            inner_skips(test)
        }
    }
}
