// SPDX-License-Identifier: MIT
#pragma once

// Permission tests cannot run as root: root opens a 0444 file for writing and a 0000 file
// for reading. On POSIX, RunUnprivileged forks a child that gives up root (it becomes the
// `nobody` user, 65534, which every Debian system has) so that file modes apply to it as to
// any user. The child cannot use the test framework's checks; it reports what it saw as
// key/value pairs, and the parent asserts on them.
//
// A Windows program cannot give up its rights: there the body runs in the test's own
// process, and a case that needs file permissions to bind asks WhyFilePermissionsCannotBind
// first. Under Wine run by root, every Windows program has root's powers over the files, so
// those cases are skipped there, and the test command runs them again as an ordinary user.

#include <functional>
#include <map>
#include <string>

namespace vorn::test {

using ChildReport = std::map<std::string, std::string>;

struct ChildOutcome {
    // The child's exit status: 0 when the body ran to its end, 1 when it threw, 2 when it
    // could not give up its privileges, -1 when it died of a signal (or blocked).
    int exitCode = -1;
    ChildReport report;
};

// Empty where RunUnprivileged's body is bound by file modes, read-only files and access
// lists like any ordinary user; otherwise why it is not, to skip the case with.
std::string WhyFilePermissionsCannotBind();

// Runs `body` without root's privileges and returns what it reported. When the test already
// runs as an ordinary user, it keeps that user.
ChildOutcome RunUnprivileged(const std::function<void(ChildReport&)>& body);
// Runs `body` as the same user, for a body that may block or crash. A body that has not ended
// after 20 seconds is stopped: on POSIX the child dies of an alarm; on Windows, where the body
// runs in a thread of the test program, the program ends with a message.
ChildOutcome RunAsItself(const std::function<void(ChildReport&)>& body);

}  // namespace vorn::test
