// SPDX-License-Identifier: MIT
// Cases as another user on Windows: a Windows program cannot give up its rights, so the body
// runs in the test program itself.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <future>
#include <memory>
#include <thread>

#include "tests/rom/os_files.h"
#include "tests/rom/unprivileged.h"
#include "tests/support/image_builder.h"
#include "tests/support/temp_dir.h"

namespace vorn::test {

namespace {

constexpr auto kBodyTime = std::chrono::seconds(20);

ChildOutcome RunHere(const std::function<void(ChildReport&)>& body) {
    ChildOutcome outcome;
    try {
        body(outcome.report);
        outcome.exitCode = 0;
    } catch (const std::exception& e) {
        outcome.report["failure"] = std::string("unexpected exception: ") + e.what();
        outcome.exitCode = 1;
    }
    return outcome;
}

// Tries the two refusals the permission cases rely on, on files of its own.
std::string ProbePermissions() {
    TempDir dir;
    const std::string readOnly = ImageBuilder(16).WriteTo(dir.File("read-only"));
    const std::string unreadable = ImageBuilder(16).WriteTo(dir.File("unreadable"));
    MakeReadOnly(readOnly);
    MakeUnreadable(unreadable);
    const bool writesReadOnly = CanOpen(readOnly, Access::ReadWrite);
    const bool readsUnreadable = CanOpen(unreadable, Access::Read);
    MakeReadWrite(readOnly);
    MakeReadWrite(unreadable);
    if (!writesReadOnly && !readsUnreadable) {
        return std::string();
    }
    const std::string powers = writesReadOnly && readsUnreadable
                                   ? "writes read-only files and reads files closed to everyone"
                               : writesReadOnly ? "writes read-only files"
                                                : "reads files closed to everyone";
    return "This account " + powers +
           " (Wine run by root gives every Windows program root's powers); the test command "
           "runs these cases again as an ordinary user";
}

}  // namespace

std::string WhyFilePermissionsCannotBind() {
    static const std::string why = ProbePermissions();
    return why;
}

ChildOutcome RunUnprivileged(const std::function<void(ChildReport&)>& body) {
    return RunAsItself(body);
}

ChildOutcome RunAsItself(const std::function<void(ChildReport&)>& body) {
    auto result = std::make_shared<std::promise<ChildOutcome>>();
    std::future<ChildOutcome> outcome = result->get_future();
    std::thread([result, body] { result->set_value(RunHere(body)); }).detach();
    if (outcome.wait_for(kBodyTime) != std::future_status::ready) {
        // The thread cannot be stopped, and it uses the case's files: end the program.
        std::fprintf(stderr, "A case's body has not ended after %lld seconds: it blocks.\n",
                     static_cast<long long>(kBodyTime.count()));
        std::fflush(stderr);
        std::_Exit(3);
    }
    return outcome.get();
}

}  // namespace vorn::test
