// SPDX-License-Identifier: MIT
// The window fuzzer: random user actions on the real windows (offscreen, scripted desktop) and
// changes by another program, checking after every action that a save writes what the
// windows show and nothing else.
//
//   window-fuzzer [--seed N] [--actions N] [--seconds S]
//
// Without --seconds it stops after --actions actions (default 2000). On a broken property it
// prints the seed, the action that broke it and the actions before, and exits with 1.

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/ui/fuzz/fuzz_session.h"

namespace {

struct Options {
    std::uint32_t seed = 1;
    long actions = 2000;
    double seconds = 0;
};

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const char* value = argv[i + 1];
        if (flag == "--seed") {
            options.seed = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (flag == "--actions") {
            options.actions = std::strtol(value, nullptr, 10);
        } else if (flag == "--seconds") {
            options.seconds = std::strtod(value, nullptr);
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Every save is synced to disk; on a memory file system that costs nothing.
    if (qEnvironmentVariableIsEmpty("TMPDIR") && std::filesystem::is_directory("/dev/shm")) {
        qputenv("TMPDIR", "/dev/shm");
    }
    QApplication app(argc, argv);
    const Options options = Parse(argc, argv);
    vorn::fuzz::FuzzSession session(options.seed);
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    long done = 0;
    while (options.seconds > 0 ? elapsed() < options.seconds : done < options.actions) {
        ++done;
        if (!session.Step()) {
            std::printf("window fuzzer, seed %u: action %ld broke a property:\n  %s\n",
                        options.seed, done, session.Failure().c_str());
            std::printf("the actions up to it, last one broke it:\n");
            for (const std::string& action : session.Log()) {
                std::printf("  %s\n", action.c_str());
            }
            return 1;
        }
    }
    const double seconds = elapsed();
    const auto& tally = session.Counts();
    std::printf(
        "window fuzzer, seed %u: %ld actions in %.1f s (%.0f actions/s), no property broken\n"
        "saves written %ld, refused %ld; enemy saves written %ld, refused %ld\n",
        options.seed, done, seconds, static_cast<double>(done) / seconds, tally.savesWritten,
        tally.savesRefused, tally.enemySavesWritten, tally.enemySavesRefused);
    return 0;
}
