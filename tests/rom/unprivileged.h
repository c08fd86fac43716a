// SPDX-License-Identifier: MIT
#pragma once

// Permission tests cannot run as root: root opens a 0444 file for writing and a 0000 file
// for reading. RunUnprivileged forks a child that gives up root (it becomes the `nobody`
// user, 65534, which every Debian system has) so that file modes apply to it as to any
// user. The child cannot use QtTest's checks; it reports what it saw as key/value pairs,
// and the parent asserts on them.

#include <functional>
#include <map>
#include <string>

namespace vorn::test {

using ChildReport = std::map<std::string, std::string>;

struct ChildOutcome {
    // The child's exit status: 0 when the body ran to its end, 1 when it threw, 2 when it
    // could not give up its privileges, -1 when it died of a signal.
    int exitCode = -1;
    ChildReport report;
};

// Runs `body` in a forked child without root's privileges and returns what it reported.
// When the test already runs as an ordinary user, the child keeps that user.
ChildOutcome RunUnprivileged(const std::function<void(ChildReport&)>& body);
// Runs `body` in a forked child as the same user, for a body that may block or crash.
ChildOutcome RunAsItself(const std::function<void(ChildReport&)>& body);

}  // namespace vorn::test
