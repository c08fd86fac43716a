// SPDX-License-Identifier: MIT
// A QtTest executable that fails twice and skips once, for the test command's verdict: the
// verdict must show the first failing check with its place, and the skip with its reason.
#include <QtTest>

class VerdictFixture : public QObject {
    Q_OBJECT

  private slots:
    void passes() { QCOMPARE(2 + 2, 4); }
    void failsFirst() {
        const int answer = 41;
        QCOMPARE(answer, 42);  // the first failing check
    }
    void failsSecond() { QVERIFY2(false, "the second failure, which the verdict leaves out"); }
    void skips() { QSKIP("needs a joystick, and none is plugged in"); }
};

QTEST_GUILESS_MAIN(VerdictFixture)
#include "verdict_fixture_qtest.moc"
