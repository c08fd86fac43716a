// SPDX-License-Identifier: MIT
#include "ui/toolkit/qt_desktop.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "ui/toolkit/controls.h"

namespace vorn::toolkit {

namespace {

// Beyond these a text is shown cut, or broken into lines, and offered whole behind "Show
// Details...": the windows' own messages are far shorter.
constexpr qsizetype kLongestShownText = 600;
constexpr qsizetype kLongestShownWord = 64;

// A word wider than the box would not wrap.
QString BreakLongWords(const QString& text) {
    QString broken;
    qsizetype word = 0;
    for (const QChar c : text) {
        word = c.isSpace() ? 0 : word + 1;
        if (word > kLongestShownWord) {
            broken += QLatin1Char('\n');
            word = 1;
        }
        broken += c;
    }
    return broken;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& title, const std::string& text,
                                            const std::string& details, QWidget* parent) {
    QString shown = ToQt(text);
    QString longer = ToQt(details);
    if (shown.size() > kLongestShownText) {
        shown = shown.left(kLongestShownText) + QChar(0x2026);
    }
    const QString wrapped = BreakLongWords(shown);
    if (longer.isEmpty() && wrapped != ToQt(text)) {
        longer = ToQt(text);
    }
    shown = wrapped;
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, ToQt(title), shown,
                                             QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);  // a path may hold characters that look like markup
    // The text can be selected and copied: a path in an error is worth pasting elsewhere.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    if (!longer.isEmpty()) {
        box->setDetailedText(longer);
    }
    return box;
}

void QtDesktop::ShowMessage(const std::string& text, const std::string& details) {
    const std::unique_ptr<QMessageBox> box =
        MakeMessageBox(title_, text, details, QApplication::activeWindow());
    box->exec();
}

std::string QtDesktop::AskOpenFile(const std::string& title, const std::string& filter,
                                   const std::string& start) {
    const QString folder = start.empty() ? QString() : QFileInfo(ToQt(start)).absolutePath();
    const QString chosen = QFileDialog::getOpenFileName(QApplication::activeWindow(), ToQt(title),
                                                        folder, ToQt(filter));
    return FromQt(chosen);
}

}  // namespace vorn::toolkit
