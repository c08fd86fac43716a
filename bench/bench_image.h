// SPDX-License-Identifier: MIT
#pragma once

// Images for the benchmarks, written once per run in a temporary folder, and the raw system
// calls that make each command's floor: the same file work with nothing around it.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "rom/rom_file.h"

namespace vorn::bench {

// The room every benchmark works on, and where its first enemy table points: three enemies
// and the terminator.
constexpr int kRoom = 12;
constexpr Offset kEnemyListOffset = 0x3A0000;

class BenchImages {
  public:
    static BenchImages& Get();
    ~BenchImages();
    // Path of the image of `mebibytes` MiB, written on first use.
    const std::string& Path(std::int64_t mebibytes);

  private:
    BenchImages();
    std::string folder_;
    std::map<std::int64_t, std::string> paths_;
};

// The floors open the file for reading and writing, as the editor opens every ROM.
// open, pread, close.
std::vector<std::uint8_t> RawRead(const std::string& path, Offset offset, std::size_t count);
// open, pwrite, fsync, close.
void RawWriteSynced(const std::string& path, Offset offset, const std::vector<std::uint8_t>& bytes);

// Every command runs on images of 4, 16 and 32 MiB: its cost must not grow with the image.
inline void ImageSizes(benchmark::internal::Benchmark* bench) {
    bench->Arg(4)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
}

}  // namespace vorn::bench
