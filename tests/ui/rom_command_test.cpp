// SPDX-License-Identifier: MIT
// One command of a window on the ROM file: the steps run in one open, and a failure is shown
// as one message that names the path and the reason.

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#endif

#include <QtTest>

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/temp_dir.h"
#include "ui/rom_command.h"

namespace vorn::test {

namespace {

// Descriptors (on Windows, handles) this process holds open: a command must leave as many as
// it found.
int OpenDescriptors() {
#ifdef _WIN32
    DWORD handles = 0;
    return ::GetProcessHandleCount(::GetCurrentProcess(), &handles) ? static_cast<int>(handles)
                                                                    : -1;
#else
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir) != nullptr) {
            ++count;
        }
        ::closedir(dir);
    }
    return count;
#endif
}

}  // namespace

class RomCommandTest : public QObject {
    Q_OBJECT

  private slots:
    void romCommand_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<QString>("reason");
        QTest::newRow("steps run to their end") << "file"
                                                << "read" << true << "";
        QTest::newRow("a folder") << "folder"
                                  << "read" << false
                                  << QString::fromStdString(SystemReason(EISDIR));
        QTest::newRow("a refused write") << "file"
                                         << "write" << false << "";
        QTest::newRow("a step that fails") << "file"
                                           << "fail" << false << "The disk is tired";
    }
    void romCommand() {
        QFETCH(QString, target);
        QFETCH(QString, steps);
        QFETCH(bool, succeeds);
        QFETCH(QString, reason);
        TempDir dir;
        const std::string path = target == "folder" ? dir.Path() : dir.File("game.gba");
        if (target == "file") {
            std::ofstream(path, std::ios::binary) << std::string(16, '\0');
        }
        ScriptedDesktop desktop;
        const int descriptors = OpenDescriptors();
        int ran = 0;
        std::string refusal;
        const bool result = ui::RunRomCommand(desktop, path, [&](RomFile& file) {
            ++ran;
            if (steps == "write") {
                // Nothing may be written past the end of the file.
                try {
                    file.WriteAt(8, Bytes(16, 1));
                } catch (const RomError& error) {
                    refusal = error.Reason();
                    throw;
                }
            } else if (steps == "fail") {
                throw RomError("read", path, reason.toStdString());
            } else {
                file.ReadAt(0, 4);
            }
        });
        QCOMPARE(result, succeeds);
        QCOMPARE(OpenDescriptors(), descriptors);
        QCOMPARE(ran, target == "folder" ? 0 : 1);
        if (succeeds) {
            QVERIFY(desktop.Messages.empty());
            return;
        }
        QCOMPARE(desktop.Messages.size(), std::size_t{1});
        const QString message = QString::fromStdString(desktop.Messages.front());
        QVERIFY2(message.contains(QString::fromStdString(path)), qPrintable(message));
        const QString expectedReason = reason.isEmpty() ? QString::fromStdString(refusal) : reason;
        QVERIFY(!expectedReason.isEmpty());
        QVERIFY2(message.contains(expectedReason), qPrintable(message));
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::RomCommandTest)
#include "rom_command_test.moc"
