// SPDX-License-Identifier: MIT
// vorn-headers' commands, each timed as the command runs them (open, work, close), in turns
// with its floor: the same file work with raw system calls and no text at all.
//
// - export: the room table and the enemy list read from the image, the text written to a
//   file; floor: one open, pread of the 19,800-byte room table and of the list's 768 bytes,
//   close, then open, write of as many bytes as the text, close.
// - import of a text that changes one room: the whole text read and checked, the record
//   compared and written with its sync; floor: the text read whole (open, pread, close), and
//   open, pread 60, pwrite 60, fsync, close on the image.
// Images of 4, 16 and 32 MiB, from bench_image.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_image.h"
#include "bench/paired.h"
#include "headers/commands.h"
#include "headers/level_data.h"
#include "headers/level_text.h"
#include "rom/enemy_list.h"
#include "rom/room_header.h"

namespace {

using vorn::bench::BenchImages;
using vorn::bench::kEnemyListOffset;
using vorn::bench::kRoom;
using vorn::bench::RawRead;
using vorn::bench::RawWriteSynced;
using vorn::bench::RunPaired;

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::size_t FileSize(const std::string& path) {
    return static_cast<std::size_t>(std::ifstream(path, std::ios::binary | std::ios::ate).tellg());
}

// The export's floor: what it reads, read with two preads in one open, and what it writes.
void RawExport(const std::string& image, const std::string& output, std::size_t textSize) {
    std::vector<std::uint8_t> bytes(vorn::RoomTable::kEnd - vorn::RoomTable::kStart);
    const int in = ::open(image.c_str(), O_RDWR | O_CLOEXEC);
    const bool read = in >= 0 &&
                      ::pread(in, bytes.data(), bytes.size(), vorn::RoomTable::kStart) ==
                          static_cast<ssize_t>(bytes.size()) &&
                      ::pread(in, bytes.data(), 768, kEnemyListOffset) == 768;
    ::close(in);
    const std::string text(textSize, ' ');
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written =
        out >= 0 && ::write(out, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(out);
    if (!read || !written) {
        throw std::runtime_error("the export's floor failed");
    }
}

void BM_ExportLevelText(benchmark::State& state) {
    const std::string& image = BenchImages::Get().Path(state.range(0));
    const std::string output = image + ".json";
    std::ostream report(nullptr);
    const auto command = [&] { vorn::headers::Export(image, output, report); };
    command();
    const std::size_t textSize = FileSize(output);
    const auto floor = [&] { RawExport(image, output, textSize); };
    RunPaired(state, command, floor);
}

// Two texts that each change the benchmark's room, the music of one back and forth: every
// import writes, from the record the one before left.
void BM_ImportOneChangedRoom(benchmark::State& state) {
    const std::string& image = BenchImages::Get().Path(state.range(0));
    vorn::headers::LevelData data =
        vorn::headers::ReadLevelData(vorn::RomFile::Open(image, vorn::RomFile::IfMissing::Fail));
    vorn::headers::RoomRecord& room = data.rooms.at(kRoom);
    const vorn::RoomHeader original = room.was;
    vorn::RoomHeader changed = original;
    changed.SetMusic(static_cast<std::uint16_t>(original.music() ^ 1u));
    const std::string texts[2] = {image + ".there.json", image + ".back.json"};
    room.values = changed;
    WriteFile(texts[0], vorn::headers::WriteLevelText(data));
    room.was = changed;
    room.values = original;
    WriteFile(texts[1], vorn::headers::WriteLevelText(data));
    const std::size_t textSize = FileSize(texts[0]);

    const vorn::Offset at = vorn::RoomTable::RecordOffset(kRoom);
    std::vector<std::uint8_t> records[2] = {RawRead(image, at, 60), RawRead(image, at, 60)};
    records[1][0x3A] ^= 1;
    std::ostream report(nullptr);
    std::size_t commandTurn = 0;
    std::size_t floorTurn = 0;
    const auto command = [&] {
        vorn::headers::Import(image, texts[commandTurn], false, report);
        commandTurn ^= 1;
    };
    const auto floor = [&] {
        benchmark::DoNotOptimize(RawRead(texts[floorTurn], 0, textSize));
        benchmark::DoNotOptimize(RawRead(image, at, 60));
        RawWriteSynced(image, at, records[floorTurn ^= 1]);
    };
    RunPaired(state, command, floor);
    // Back as every other benchmark expects the image.
    if (commandTurn == 1) {
        vorn::headers::Import(image, texts[1], false, report);
    }
}

VORN_PAIRED_BENCHMARK(BM_ExportLevelText);
VORN_PAIRED_BENCHMARK(BM_ImportOneChangedRoom);

}  // namespace

BENCHMARK_MAIN();
