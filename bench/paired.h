// SPDX-License-Identifier: MIT
#pragma once

// A command and its floor timed in turns within one benchmark, as a person compares two
// programs: noise of the disk or of the machine then lands on both alike, and the median of
// the pairs' ratios holds where the ratio of two separately measured medians does not.

#include <benchmark/benchmark.h>

#include <functional>

#include "bench/bench_image.h"

namespace vorn::bench {

// Runs one pair an iteration, command and floor, with the one that goes first taking turns.
// The benchmark's time is the command's; its counters are the medians of the command's and
// the floor's times (µs) and of the pairs' ratios (command / floor). An exception skips the
// benchmark with its message.
void RunPaired(benchmark::State& state, const std::function<void()>& command,
               const std::function<void()>& floor);

}  // namespace vorn::bench

// A benchmark that calls RunPaired, on every image size.
#define VORN_PAIRED_BENCHMARK(name) \
    BENCHMARK(name)->Apply(::vorn::bench::ImageSizes)->UseManualTime()
