// SPDX-License-Identifier: MIT
// Unloading the enemy editor gives back what loading it took: a few hundred Follow Offset1 /
// close box cycles leave the program's live heap where it was. Counted in bytes allocated and
// not freed, not in time.

#include <QApplication>
#include <QtTest>

#include <cstddef>

#include "tests/support/ui_driver.h"
#include "tests/ui/main/main_window_session.h"
#include "ui/enemies/form3.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace vorn::test {

namespace {

std::size_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

}  // namespace

class EnemyEditorMemoryTest : public QObject {
    Q_OBJECT

  private slots:
    void unloadingGivesBackWhatLoadingTook() {
        MainWindowSession session;
        session.Open(session.Write(
            GameImage().Room32(0, 0x20, 0x08346000).Enemies(0x346000, {{1, 2, 3}, {4, 5, 6}})));
        ui::Form1& form = session.form;
        ScriptedDesktop& desktop = session.desktop;
        const auto cycles = [&](int count) {
            for (int i = 0; i < count; ++i) {
                form.cmdRepoint1.click();
                QApplication::processEvents();
                QVERIFY(form.EnemyEditor().Get() != nullptr);
                form.EnemyEditor().Get()->close();  // the close box unloads it
                FlushUnloadedWindows();
                desktop.Messages.clear();
                desktop.Details.clear();
            }
        };
        cycles(50);  // fonts, styles and caches settle first
        const std::size_t before = LiveHeapBytes();
        constexpr int kCycles = 300;
        cycles(kCycles);
        const auto grown = static_cast<double>(LiveHeapBytes()) - static_cast<double>(before);
        // One editor left behind would be some hundred kilobytes a cycle.
        QVERIFY2(grown / kCycles < 256,
                 qPrintable(QString("%1 bytes a cycle").arg(grown / kCycles)));
        QVERIFY(!form.EnemyEditor().IsLoaded());
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::EnemyEditorMemoryTest)
#include "memory_test.moc"
