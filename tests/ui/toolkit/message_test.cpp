// SPDX-License-Identifier: MIT
// Messages stay readable and on the screen whatever the user typed or wherever the file lies,
// and the whole text can still be read and copied.

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QtTest>

#include <random>
#include <string>

#include "ui/toolkit/desktop.h"
#include "ui/toolkit/qt_desktop.h"

namespace vorn::test {

namespace {

std::size_t Characters(const std::string& text) {
    return static_cast<std::size_t>(QString::fromStdString(text).toUcs4().size());
}

int Width(const std::string& text) {
    return QFontMetrics(QApplication::font("QMessageBox"))
        .horizontalAdvance(QString::fromStdString(text));
}

}  // namespace

class MessageTest : public QObject {
    Q_OBJECT

  private slots:
    // Random quotes and paths of every length, in ASCII and beyond: the shown text never
    // takes more than about 60 characters' width for a quote or a path, keeps the end of a
    // path, says how long a shortened quote was, and the full text is the message itself.
    void shownTextIsBounded() {
        std::mt19937 random(7);
        const std::string alphabet[] = {"a", "W", " ", "/", "\xC3\xA9", "\xE2\x82\xAC"};
        const int average = QFontMetrics(QApplication::font("QMessageBox")).averageCharWidth();
        const int limit = 60 * average;
        for (int round = 0; round < 400; ++round) {
            std::string typed;
            std::string path = "/";
            const int length = std::uniform_int_distribution<int>(0, 300)(random);
            for (int i = 0; i < length; ++i) {
                typed += alphabet[random() % 6];
                path += alphabet[random() % 6];
            }
            path += "/game.gba";
            const toolkit::MessageText message =
                toolkit::MessageText("X: ").Typed(typed).Plain(" in ").Path(path).Plain(".");
            QCOMPARE(message.Full(), "X: \"" + typed + "\" in \"" + path + "\".");
            const std::string count = " (" + std::to_string(Characters(typed)) + " characters)";
            QVERIFY2(Width(message.Shown()) <=
                         Width("X: \"\" in \"\".") + Width(count) + 2 * (limit + average),
                     message.Shown().c_str());
            QVERIFY2(message.Shown().find("game.gba\".") != std::string::npos,
                     message.Shown().c_str());
            // Well inside or well beyond the width: the boundary itself is the font's to round.
            if (Width(typed) < limit - 2 && Width(path) < limit - 2) {
                QCOMPARE(message.Shown(), message.Full());
            }
            if (Width(typed) > limit + 2) {
                QVERIFY2(message.Shown().find(count) != std::string::npos, message.Shown().c_str());
            }
            QVERIFY(Width(path) <= limit + 2 || message.Shown() != message.Full());
        }
    }

    // The box for the longest messages the windows can make fits the screen, and offers the
    // whole text behind "Show Details...".
    void boxFitsTheScreen_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("details");
        const QString hundredThousand(100000, QLatin1Char('A'));
        const QString longPath = "/" + QString(4094, QLatin1Char('p'));
        QTest::newRow("a short message") << "Rom Loaded"
                                         << "";
        QTest::newRow("a long typed text, shortened")
            << QString::fromStdString(toolkit::MessageText("Enemy Table 1 ")
                                          .Typed(hundredThousand.toStdString())
                                          .Plain(" is not a ROM offset.")
                                          .Shown())
            << "Enemy Table 1 \"" + hundredThousand + "\" is not a ROM offset.";
        QTest::newRow("a long path, shortened")
            << QString::fromStdString(
                   toolkit::MessageText("Cannot open ").Path(longPath.toStdString()).Shown())
            << "Cannot open \"" + longPath + "\"";
    }
    void boxFitsTheScreen() {
        QFETCH(QString, text);
        QFETCH(QString, details);
        const auto box =
            toolkit::MakeMessageBox("Title", text.toStdString(), details.toStdString(), nullptr);
        box->show();
        QApplication::processEvents();
        const QRect screen = box->screen()->availableGeometry();
        QVERIFY2(box->frameGeometry().width() <= screen.width() &&
                     box->frameGeometry().height() <= screen.height(),
                 qPrintable(QString("%1 x %2").arg(box->width()).arg(box->height())));
        QCOMPARE(box->buttons().size(), 1 + (box->detailedText().isEmpty() ? 0 : 1));
        QCOMPARE(box->detailedText(), details);
        box->close();
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::MessageTest)
#include "message_test.moc"
