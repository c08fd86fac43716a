// SPDX-License-Identifier: MIT
// The ROM library's commands, each timed as the windows run it (open, work, close), next to
// the floor: the same bytes moved with raw system calls (open, pread/pwrite, fsync, close).
// Images of 4, 16 and 32 MiB are written to a temporary folder and removed at the end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "bench/bench_image.h"
#include "rom/rom.h"

namespace {

using vorn::bench::BenchImages;
using vorn::bench::kEnemyListOffset;
using vorn::bench::kRoom;
using vorn::bench::RawRead;
using vorn::bench::RawWriteSynced;

const std::string& ImagePath(const benchmark::State& state) {
    return BenchImages::Get().Path(state.range(0));
}

// Runs one command per iteration; a RomError ends the benchmark with its message.
template <typename Command>
void RunCommand(benchmark::State& state, Command command) {
    try {
        for (auto _ : state) {
            command();
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

template <typename Floor>
void RunFloor(benchmark::State& state, Floor floor) {
    RunCommand(state, floor);
}

void BM_ReadRoomHeader(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    RunCommand(state, [&] {
        vorn::RomFile file = vorn::RomFile::Open(path);
        const vorn::RoomHeader header = vorn::ReadRoomHeader(file, kRoom);
        file.Close();
        benchmark::DoNotOptimize(header);
    });
}

void BM_ReadRoomHeader_Floor(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    RunFloor(state, [&] {
        benchmark::DoNotOptimize(RawRead(path, vorn::RoomTable::RecordOffset(kRoom), 60));
    });
}

// Each save alternates between two versions of the record, so every write changes the file.
void BM_WriteRoomHeader(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    vorn::RoomHeader headers[2];
    headers[0] = headers[1] = vorn::ReadRoomHeader(vorn::RomFile::Open(path), kRoom);
    headers[1].setMusic(static_cast<std::uint16_t>(headers[0].music() ^ 1u));
    std::size_t turn = 0;
    RunCommand(state, [&] {
        vorn::RomFile file = vorn::RomFile::Open(path);
        vorn::WriteRoomHeader(file, kRoom, headers[turn ^= 1]);
        file.Close();
    });
}

void BM_WriteRoomHeader_Floor(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    const vorn::Offset at = vorn::RoomTable::RecordOffset(kRoom);
    std::vector<std::uint8_t> records[2] = {RawRead(path, at, 60), RawRead(path, at, 60)};
    records[1][0x3A] ^= 1;
    std::size_t turn = 0;
    RunFloor(state, [&] { RawWriteSynced(path, at, records[turn ^= 1]); });
}

void BM_ReadEnemyList(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    RunCommand(state, [&] {
        vorn::RomFile file = vorn::RomFile::Open(path);
        vorn::EnemyList list;
        vorn::ReadEnemyList(file, kEnemyListOffset, list);
        file.Close();
        benchmark::DoNotOptimize(list);
    });
}

void BM_ReadEnemyList_Floor(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    RunFloor(state, [&] { benchmark::DoNotOptimize(RawRead(path, kEnemyListOffset, 768)); });
}

void BM_CheckGameTitle(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    RunCommand(state, [&] { benchmark::DoNotOptimize(vorn::CheckGameTitle(path)); });
}

void BM_CheckGameTitle_Floor(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    const std::string title = "ZEROMISSIONE";
    RunFloor(state, [&] {
        const std::vector<std::uint8_t> bytes = RawRead(path, 0xA0, title.size());
        benchmark::DoNotOptimize(std::equal(bytes.begin(), bytes.end(), title.begin()));
    });
}

VORN_BENCHMARK_WITH_FLOOR(BM_ReadRoomHeader);
VORN_BENCHMARK_WITH_FLOOR(BM_WriteRoomHeader);
VORN_BENCHMARK_WITH_FLOOR(BM_ReadEnemyList);
VORN_BENCHMARK_WITH_FLOOR(BM_CheckGameTitle);

}  // namespace

BENCHMARK_MAIN();
