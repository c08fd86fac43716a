// SPDX-License-Identifier: MIT
// The ROM library's commands, each timed as the windows run it (open, work, close), in turns
// with its floor: the same bytes moved with raw system calls (open, pread/pwrite, fsync,
// close).
// Images of 4, 16 and 32 MiB are written to a temporary folder and removed at the end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/bench_image.h"
#include "bench/paired.h"
#include "rom/enemy_list.h"
#include "rom/game_title.h"
#include "rom/rom_file.h"
#include "rom/room_header.h"

namespace {

using vorn::bench::BenchImages;
using vorn::bench::kEnemyListOffset;
using vorn::bench::kRoom;
using vorn::bench::RawRead;
using vorn::bench::RawWriteSynced;
using vorn::bench::RunPaired;

// The windows' commands open an existing ROM only: one that vanished is an error, not a new
// empty file.
vorn::RomFile OpenAsTheWindowsDo(const std::string& path) {
    return vorn::RomFile::Open(path, vorn::RomFile::IfMissing::Fail);
}

const std::string& ImagePath(const benchmark::State& state) {
    return BenchImages::Get().Path(state.range(0));
}

void BM_ReadRoomHeader(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    const auto command = [&] {
        vorn::RomFile file = OpenAsTheWindowsDo(path);
        const vorn::RoomHeader header = vorn::ReadRoomHeader(file, kRoom);
        file.Close();
        benchmark::DoNotOptimize(header);
    };
    const auto floor = [&] {
        benchmark::DoNotOptimize(RawRead(path, vorn::RoomTable::RecordOffset(kRoom), 60));
    };
    RunPaired(state, command, floor);
}

// Each save alternates between two versions of the record, so every write changes the file;
// the floor writes the same two versions.
void BM_WriteRoomHeader(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    vorn::RoomHeader headers[2];
    headers[0] = headers[1] = vorn::ReadRoomHeader(OpenAsTheWindowsDo(path), kRoom);
    headers[1].SetMusic(static_cast<std::uint16_t>(headers[0].music() ^ 1u));
    const vorn::Offset at = vorn::RoomTable::RecordOffset(kRoom);
    std::vector<std::uint8_t> records[2] = {RawRead(path, at, 60), RawRead(path, at, 60)};
    records[1][0x3A] ^= 1;
    std::size_t commandTurn = 0;
    std::size_t floorTurn = 0;
    const auto command = [&] {
        vorn::RomFile file = OpenAsTheWindowsDo(path);
        vorn::WriteRoomHeader(file, kRoom, headers[commandTurn ^= 1]);
        file.Close();
    };
    const auto floor = [&] { RawWriteSynced(path, at, records[floorTurn ^= 1]); };
    RunPaired(state, command, floor);
}

void BM_ReadEnemyList(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    const auto command = [&] {
        vorn::RomFile file = OpenAsTheWindowsDo(path);
        vorn::EnemyList list;
        vorn::ReadEnemyList(file, kEnemyListOffset, list);
        file.Close();
        benchmark::DoNotOptimize(list);
    };
    const auto floor = [&] { benchmark::DoNotOptimize(RawRead(path, kEnemyListOffset, 768)); };
    RunPaired(state, command, floor);
}

void BM_CheckGameTitle(benchmark::State& state) {
    const std::string& path = ImagePath(state);
    const std::string title = "ZEROMISSIONE";
    const auto command = [&] { benchmark::DoNotOptimize(vorn::CheckGameTitle(path)); };
    const auto floor = [&] {
        const std::vector<std::uint8_t> bytes = RawRead(path, 0xA0, title.size());
        benchmark::DoNotOptimize(std::equal(bytes.begin(), bytes.end(), title.begin()));
    };
    RunPaired(state, command, floor);
}

VORN_PAIRED_BENCHMARK(BM_ReadRoomHeader);
VORN_PAIRED_BENCHMARK(BM_WriteRoomHeader);
VORN_PAIRED_BENCHMARK(BM_ReadEnemyList);
VORN_PAIRED_BENCHMARK(BM_CheckGameTitle);

}  // namespace

BENCHMARK_MAIN();
