// SPDX-License-Identifier: MIT
// The Open dialog's filter as Qt's file dialogs take it: each pattern in both cases, so that
// "*.GBA" also shows game.gba where the dialog matches case by case.

#include <QtTest>

#include <string>

#include "ui/toolkit/open_dialog.h"

namespace vorn::test {

class OpenDialogTest : public QObject {
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
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::OpenDialogTest)
#include "open_dialog_test.moc"
