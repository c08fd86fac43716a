// SPDX-License-Identifier: MIT
// The window commands as a person meets them, on images of 4, 16 and 32 MiB, each timed in
// turns with the floor of the same file work done with raw system calls: Open (the dialog
// answered at once) with its game check and load, the room-header Save, "Follow Offset1"
// (load the enemy editor, read and list the enemies) and the enemy editor's Save. Also the
// start-up of the main window, and each window's own work without the file, to show where
// the time goes.
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
#include <utility>
#include <vector>

#include "bench/bench_image.h"
#include "bench/paired.h"
#include "ui/enemies/form3.h"
#include "ui/main/form1.h"
#include "ui/toolkit/desktop.h"

namespace {

using vorn::bench::BenchImages;
using vorn::bench::kEnemyListOffset;
using vorn::bench::kRoom;
using vorn::bench::RawRead;
using vorn::bench::RawWriteSynced;
using vorn::bench::RunPaired;

// A desktop that closes every message box at once and answers the Open dialog with the
// image, or with a cancel when none is set.
class BenchDesktop : public vorn::toolkit::Desktop {
  public:
    using Desktop::ShowMessage;
    void ShowMessage(const std::string& text, const std::string&) override {
        Messages.push_back(text);
    }
    std::string AskOpenFile(const std::string&, const std::string&, const std::string&) override {
        return std::exchange(OpenAnswer, std::string());
    }

    std::vector<std::string> Messages;
    std::string OpenAnswer;  // the next answer of the Open dialog
};

// The main window with the image opened and the benchmark's room loaded.
struct OpenedMainWindow {
    BenchDesktop desktop;
    vorn::ui::Form1 form{desktop};

    explicit OpenedMainWindow(const std::string& image) {
        form.Load();
        form.Show();
        form.cboRoom.SetListIndex(kRoom);
        Open(image);
    }
    void Open(const std::string& image) {
        desktop.OpenAnswer = image;
        form.mnuOpen.trigger();
        desktop.Messages.clear();
    }
};

void ReportOnError(benchmark::State& state, const BenchDesktop& desktop) {
    if (!desktop.Messages.empty()) {
        state.SkipWithError(desktop.Messages.back().c_str());
    }
}

void BM_OpenAndLoad(benchmark::State& state) {
    const std::string image = BenchImages::Get().Path(state.range(0));
    OpenedMainWindow window(image);
    const auto command = [&] {
        window.desktop.OpenAnswer = image;
        window.form.mnuOpen.trigger();
    };
    // Two opens, as the command has: the game check reads the title, the load the record.
    const auto floor = [&] {
        RawRead(image, 0xA0, 12);
        RawRead(image, vorn::RoomTable::RecordOffset(kRoom), 60);
    };
    RunPaired(state, command, floor);
    // "Rom Loaded" is the one message each open shows.
    if (window.desktop.Messages.size() != static_cast<std::size_t>(state.iterations())) {
        state.SkipWithError("an open showed an unexpected message");
    }
}

// The floor writes back the record as it is, as the command does.
void BM_SaveHeader(benchmark::State& state) {
    const std::string image = BenchImages::Get().Path(state.range(0));
    OpenedMainWindow window(image);
    const auto record = RawRead(image, vorn::RoomTable::RecordOffset(kRoom), 60);
    RunPaired(
        state, [&] { window.form.cmdSave.click(); },
        [&] { RawWriteSynced(image, vorn::RoomTable::RecordOffset(kRoom), record); });
    ReportOnError(state, window.desktop);
}

// Loads the enemy editor (its window, the list read, the list box filled) and closes it again.
void BM_FollowOffset1(benchmark::State& state) {
    const std::string image = BenchImages::Get().Path(state.range(0));
    OpenedMainWindow window(image);
    const auto command = [&] {
        window.form.cmdRepoint1.click();
        window.form.EnemyEditor().Unload();
    };
    RunPaired(state, command, [&] { RawRead(image, kEnemyListOffset, 768); });
    // One message a load: the offset.
    if (window.desktop.Messages.size() != static_cast<std::size_t>(state.iterations())) {
        state.SkipWithError(window.desktop.Messages.back().c_str());
    }
}

// The floor writes back the benchmark image's list as it is: three enemies and the
// terminator.
void BM_EnemySave(benchmark::State& state) {
    const std::string image = BenchImages::Get().Path(state.range(0));
    OpenedMainWindow window(image);
    window.form.cmdRepoint1.click();
    window.desktop.Messages.clear();
    vorn::ui::Form3& editor = *window.form.EnemyEditor().Get();
    const auto list = RawRead(image, kEnemyListOffset, 12);
    RunPaired(
        state, [&] { editor.cmdSave.click(); },
        [&] { RawWriteSynced(image, kEnemyListOffset, list); });
    ReportOnError(state, window.desktop);
}

// The windows' own work, without the file: building the main window with its 2,634 list
// items and showing it, and building the enemy editor's window with its 768 items.
void BM_StartUpToShownWindow(benchmark::State& state) {
    for (auto _ : state) {
        BenchDesktop desktop;
        vorn::ui::Form1 form(desktop);
        form.Load();
        form.Show();
        if (!QTest::qWaitForWindowExposed(&form)) {
            state.SkipWithError("the main window was not shown");
        }
    }
}

void BM_EnemyEditorWindowOnly(benchmark::State& state) {
    BenchDesktop desktop;
    vorn::ui::Form1 form(desktop);
    form.Load();
    form.Show();
    form.txtEnTable1.SetText("not an offset");  // no read: only the window is built
    for (auto _ : state) {
        form.cmdRepoint1.click();
        form.EnemyEditor().Unload();
    }
}

VORN_PAIRED_BENCHMARK(BM_OpenAndLoad);
VORN_PAIRED_BENCHMARK(BM_SaveHeader);
VORN_PAIRED_BENCHMARK(BM_FollowOffset1);
VORN_PAIRED_BENCHMARK(BM_EnemySave);
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
