// SPDX-License-Identifier: MIT
#include "ui/toolkit/qt_desktop.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "ui/toolkit/controls.h"

namespace vorn::toolkit {

namespace {

std::string Quoted(const QString& text) {
    return "\"" + FromQt(text) + "\"";
}

// A quote or a path in a message box takes at most about 60 average characters of its font.
QString Elided(const QString& text, Qt::TextElideMode mode) {
    const QFontMetrics metrics(QApplication::font("QMessageBox"));
    return metrics.elidedText(text, mode, 60 * metrics.averageCharWidth());
}

}  // namespace

MessageText& MessageText::Plain(const std::string& text) {
    shown_ += text;
    full_ += text;
    return *this;
}

MessageText& MessageText::Typed(const std::string& text) {
    const QString typed = ToQt(text);
    const QString shown = Elided(typed, Qt::ElideRight);
    full_ += Quoted(typed);
    shown_ += Quoted(shown);
    if (shown != typed) {
        shown_ += " (" + std::to_string(typed.toUcs4().size()) + " characters)";
    }
    return *this;
}

// The start of a path says where, its end names the file: the middle is what can go.
MessageText& MessageText::Path(const std::string& path) {
    full_ += Quoted(ToQt(path));
    shown_ += Quoted(Elided(ToQt(path), Qt::ElideMiddle));
    return *this;
}

std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& title, const std::string& text,
                                            const std::string& details, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, ToQt(title), ToQt(text),
                                             QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);  // a path may hold characters that look like markup
    // The text can be selected and copied: a path in an error is worth pasting elsewhere.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setDetailedText(ToQt(details));
    return box;
}

void QtDesktop::ShowMessage(const std::string& text, const std::string& details) {
    MakeMessageBox(title_, text, details, QApplication::activeWindow())->exec();
}

std::string QtDesktop::AskOpenFile(const std::string& title, const std::string& filter,
                                   const std::string& start) {
    const QString folder = start.empty() ? QString() : QFileInfo(ToQt(start)).absolutePath();
    return FromQt(QFileDialog::getOpenFileName(QApplication::activeWindow(), ToQt(title), folder,
                                               ToQt(filter)));
}

}  // namespace vorn::toolkit
