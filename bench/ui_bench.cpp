// SPDX-License-Identifier: MIT
// The window commands as a person meets them, on images of 4, 16 and 32 MiB, each next to
// the floor of the same file work done with raw system calls: Open (the dialog answered at
// once) with its game check and load, the room-header Save, "Follow Offset1" (load the enemy
// editor, read and list the enemies) and the enemy editor's Save. Also the start-up of the
// main window, and each window's own work without the file, to show where the time goes.
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QtTest>

#include <cstdlib>
#include <memory>
#include <string>

#include "bench/bench_image.h"
#include "tests/support/scripted_desktop.h"
#include "ui/enemies/form3.h"
#include "ui/main/form1.h"

namespace {

using vorn::bench::BenchImages;
using vorn::bench::kEnemyListOffset;
using vorn::bench::kRoom;
using vorn::bench::RawRead;
using vorn::bench::RawWriteSynced;

// The main window with the image opened and the benchmark's room loaded.
struct OpenedMainWindow {
    vorn::toolkit::ScriptedDesktop desktop;
    vorn::ui::Form1 form{desktop};

    explicit OpenedMainWindow(const std::string& image) {
        form.Load();
        form.Show();
        form.cboRoom.SetListIndex(kRoom);
        Open(image);
    }
    void Open(const std::string& image) {
        desktop.OpenAnswers.push_back(image);
        form.mnuOpen.Choose();
        desktop.Messages.clear();
    }
};

void ReportOnError(benchmark::State& state, const vorn::toolkit::ScriptedDesktop& desktop) {
    if (!desktop.Messages.empty()) {
        state.SkipWithError(desktop.Messages.back().c_str());
    }
}

void BM_OpenAndLoad(benchmark::State& state) {
    const std::string image = BenchImages::Get().Path(state.range(0));
    OpenedMainWindow window(image);
    for (auto _ : state) {
        window.desktop.OpenAnswers.push_back(image);
        window.form.mnuOpen.Choose();
    }
    // "Rom Loaded" is the one message each open shows.
    if (window.desktop.Messages.size() != static_cast<std::size_t>(state.iterations())) {
        state.SkipWithError("an open showed an unexpected message");
    }
}

// Two opens, as the command has: the game check reads the title, the load reads the record.
void BM_OpenAndLoad_Floor(benchmark::State& state) {
    const std::string image = BenchImages::Get().Path(state.range(0));
    for (auto _ : state) {
        RawRead(image, 0xA0, 12);
        RawRead(image, vorn::RoomTable::RecordOffset(kRoom), 60);
    }
}

void BM_SaveHeader(benchmark::State& state) {
    OpenedMainWindow window(BenchImages::Get().Path(state.range(0)));
    for (auto _ : state) {
        window.form.cmdSave.Press();
    }
    ReportOnError(state, window.desktop);
}

// Writes back the record as it is, as the command does.
void BM_SaveHeader_Floor(benchmark::State& state) {
    const std::string image = BenchImages::Get().Path(state.range(0));
    const auto record = RawRead(image, vorn::RoomTable::RecordOffset(kRoom), 60);
    for (auto _ : state) {
        RawWriteSynced(image, vorn::RoomTable::RecordOffset(kRoom), record);
    }
}

// Loads the enemy editor (its window, the list read, the list box filled) and closes it again.
void BM_FollowOffset1(benchmark::State& state) {
    OpenedMainWindow window(BenchImages::Get().Path(state.range(0)));
    for (auto _ : state) {
        window.form.cmdRepoint1.Press();
        window.form.EnemyEditor().Unload();
    }
    // One message a load: the offset.
    if (window.desktop.Messages.size() != static_cast<std::size_t>(state.iterations())) {
        state.SkipWithError(window.desktop.Messages.back().c_str());
    }
}

void BM_FollowOffset1_Floor(benchmark::State& state) {
    const std::string image = BenchImages::Get().Path(state.range(0));
    for (auto _ : state) {
        RawRead(image, kEnemyListOffset, 768);
    }
}

void BM_EnemySave(benchmark::State& state) {
    OpenedMainWindow window(BenchImages::Get().Path(state.range(0)));
    window.form.cmdRepoint1.Press();
    window.desktop.Messages.clear();
    vorn::ui::Form3& editor = *window.form.EnemyEditor().Get();
    for (auto _ : state) {
        editor.cmdSave.Press();
    }
    ReportOnError(state, window.desktop);
}

void BM_EnemySave_Floor(benchmark::State& state) {
    const std::string image = BenchImages::Get().Path(state.range(0));
    // The benchmark image's list: three enemies and the terminator, written back as it is.
    const auto list = RawRead(image, kEnemyListOffset, 12);
    for (auto _ : state) {
        RawWriteSynced(image, kEnemyListOffset, list);
    }
}

// The windows' own work, without the file: building the main window with its 2,634 list
// items and showing it, and building the enemy editor's window with its 768 items.
void BM_StartUpToShownWindow(benchmark::State& state) {
    for (auto _ : state) {
        vorn::toolkit::ScriptedDesktop desktop;
        vorn::ui::Form1 form(desktop);
        form.Load();
        form.Show();
        if (!QTest::qWaitForWindowExposed(form.TopWidget())) {
            state.SkipWithError("the main window was not shown");
        }
    }
}

void BM_EnemyEditorWindowOnly(benchmark::State& state) {
    vorn::toolkit::ScriptedDesktop desktop;
    vorn::ui::Form1 form(desktop);
    form.Load();
    form.Show();
    form.txtEnTable1.SetText("not an offset");  // no read: only the window is built
    for (auto _ : state) {
        form.cmdRepoint1.Press();
        form.EnemyEditor().Unload();
    }
}

VORN_BENCHMARK_WITH_FLOOR(BM_OpenAndLoad);
VORN_BENCHMARK_WITH_FLOOR(BM_SaveHeader);
VORN_BENCHMARK_WITH_FLOOR(BM_FollowOffset1);
VORN_BENCHMARK_WITH_FLOOR(BM_EnemySave);
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnemyEditorWindowOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
