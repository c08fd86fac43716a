// SPDX-License-Identifier: MIT
#include "bench/paired.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <vector>

namespace vorn::bench {

namespace {

double SecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

struct PairTimes {
    std::vector<double> command;
    std::vector<double> floor;
    std::vector<double> ratio;

    void Add(double commandSeconds, double floorSeconds) {
        command.push_back(commandSeconds);
        floor.push_back(floorSeconds);
        ratio.push_back(commandSeconds / floorSeconds);
    }
};

void Report(benchmark::State& state, const PairTimes& times) {
    state.counters["command_us"] = Median(times.command) * 1e6;
    state.counters["floor_us"] = Median(times.floor) * 1e6;
    state.counters["ratio"] = Median(times.ratio);
}

}  // namespace

void RunPaired(benchmark::State& state, const std::function<void()>& command,
               const std::function<void()>& floor) {
    PairTimes times;
    bool commandFirst = true;
    try {
        for (auto _ : state) {
            const double first = SecondsOf(commandFirst ? command : floor);
            const double second = SecondsOf(commandFirst ? floor : command);
            const double commandSeconds = commandFirst ? first : second;
            times.Add(commandSeconds, commandFirst ? second : first);
            state.SetIterationTime(commandSeconds);
            commandFirst = !commandFirst;
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    Report(state, times);
}

}  // namespace vorn::bench
