// SPDX-License-Identifier: MIT
// Cases as another user on Linux and macOS: a forked child that gives up root.

#include "tests/rom/unprivileged.h"

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <stdexcept>

namespace vorn::test {

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;
// A child that blocks is stopped by an alarm and reported as dead of a signal.
constexpr unsigned kChildSeconds = 20;

// Keys and values travel through the pipe as NUL-terminated strings, one after the other.
std::string Serialize(const ChildReport& report) {
    std::string text;
    for (const auto& [key, value] : report) {
        text += key;
        text += '\0';
        text += value;
        text += '\0';
    }
    return text;
}

ChildReport Deserialize(const std::string& text) {
    ChildReport report;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t keyEnd = text.find('\0', at);
        const std::size_t valueEnd = text.find('\0', keyEnd + 1);
        if (keyEnd == std::string::npos || valueEnd == std::string::npos) {
            break;
        }
        report[text.substr(at, keyEnd - at)] = text.substr(keyEnd + 1, valueEnd - keyEnd - 1);
        at = valueEnd + 1;
    }
    return report;
}

bool DropPrivileges() {
    if (::geteuid() != 0) {
        return true;
    }
    // As root, setgid and setuid change the real, effective and saved ids alike.
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNoGroup) == 0 && ::setuid(kNobody) == 0 &&
           ::geteuid() == kNobody && ::getuid() == kNobody;
}

void WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put <= 0) {
            return;
        }
        done += static_cast<std::size_t>(put);
    }
}

[[noreturn]] void RunChild(int fd, const std::function<void(ChildReport&)>& body, bool drop) {
    ChildReport report;
    int code = 0;
    ::alarm(kChildSeconds);
    if (drop && !DropPrivileges()) {
        report["failure"] = "cannot give up root's privileges";
        code = 2;
    } else {
        try {
            body(report);
        } catch (const std::exception& e) {
            report["failure"] = std::string("unexpected exception: ") + e.what();
            code = 1;
        }
    }
    WriteAll(fd, Serialize(report));
    ::close(fd);
    // _exit: the child must not run the parent's exit handlers or leak checks.
    ::_exit(code);
}

ChildOutcome RunInChild(const std::function<void(ChildReport&)>& body, bool drop) {
    int fds[2];
    if (::pipe(fds) != 0) {
        throw std::runtime_error("cannot make a pipe");
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw std::runtime_error("cannot fork");
    }
    if (pid == 0) {
        ::close(fds[0]);
        RunChild(fds[1], body, drop);
    }
    ::close(fds[1]);
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    ChildOutcome outcome;
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.report = Deserialize(text);
    return outcome;
}

}  // namespace

std::string WhyFilePermissionsCannotBind() {
    return std::string();  // the child gives up root's privileges
}

ChildOutcome RunUnprivileged(const std::function<void(ChildReport&)>& body) {
    return RunInChild(body, true);
}

ChildOutcome RunAsItself(const std::function<void(ChildReport&)>& body) {
    return RunInChild(body, false);
}

}  // namespace vorn::test
