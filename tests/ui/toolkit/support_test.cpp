// SPDX-License-Identifier: MIT
// What the windows use besides their controls: the Open dialog's filter and answer, and one
// command on the ROM file with its failure shown as one message.

#include <dirent.h>

#include <QtTest>

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "tests/support/qtest_main.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/temp_dir.h"
#include "ui/toolkit/open_dialog.h"
#include "ui/rom_command.h"

namespace vorn::test {

namespace {

// Descriptors this process holds open: a command must leave as many as it found.
int OpenDescriptors() {
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir) != nullptr) {
            ++count;
        }
        ::closedir(dir);
    }
    return count;
}

}  // namespace

class SupportTest : public QObject {
    Q_OBJECT

  private slots:
    void fileFilter_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("upper case pattern") << "GBA roms| *.GBA"
                                            << "GBA roms (*.GBA *.gba)";
        QTest::newRow("lower case pattern") << "Roms|*.gba"
                                            << "Roms (*.gba *.GBA)";
        QTest::newRow("mixed case pattern") << "Roms|*.Gba"
                                            << "Roms (*.Gba *.GBA *.gba)";
        QTest::newRow("pattern without letters") << "All files|*.*"
                                                 << "All files (*.*)";
        QTest::newRow("several entries") << "A|*.a|B|*.b;*.C"
                                         << "A (*.a *.A);;B (*.b *.B *.C *.c)";
        QTest::newRow("pattern given in both cases") << "Roms|*.gba;*.GBA"
                                                     << "Roms (*.gba *.GBA)";
        QTest::newRow("blanks around names and patterns") << " Roms | *.gba ; *.agb "
                                                          << "Roms (*.gba *.GBA *.agb *.AGB)";
    }
    void fileFilter() {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(toolkit::QtFileFilter(filter.toStdString())), expected);
    }

    void openDialog_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("chosen") << QStringList{"roms/game.gba"} << "roms/game.gba";
        QTest::newRow("cancelled") << QStringList{""} << "";
        QTest::newRow("cancelled after a choice") << QStringList{"roms/game.gba", ""} << "";
        QTest::newRow("second choice") << QStringList{"roms/a.gba", "roms/b.gba"} << "roms/b.gba";
    }
    void openDialog() {
        QFETCH(QStringList, answers);
        QFETCH(QString, fileName);
        ScriptedDesktop desktop;
        for (const QString& answer : answers) {
            desktop.OpenAnswers.push_back(answer.toStdString());
        }
        toolkit::OpenDialog dialog(desktop);
        dialog.DialogTitle = "Open a ROM";
        dialog.Filter = "GBA roms| *.GBA";
        for (int i = 0; i < answers.size(); ++i) {
            dialog.ShowOpen();
        }
        QCOMPARE(QString::fromStdString(dialog.FileName), fileName);
        QCOMPARE(desktop.OpenRequests.size(), static_cast<std::size_t>(answers.size()));
        for (const auto& request : desktop.OpenRequests) {
            QCOMPARE(request.title, dialog.DialogTitle);
            QCOMPARE(request.filter, dialog.Filter);
        }
        QVERIFY(desktop.Messages.empty());
    }

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

VORN_TEST_CLASS(SupportTest)

}  // namespace vorn::test

#include "support_test.moc"
