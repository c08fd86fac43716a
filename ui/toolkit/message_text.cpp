// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QFontMetrics>

#include "ui/toolkit/controls.h"
#include "ui/toolkit/desktop.h"

namespace vorn::toolkit {

namespace {

// How much of a quote or a path a message box shows, in average characters of its font.
constexpr int kLongestQuote = 60;

std::string Quoted(const QString& text) {
    return "\"" + FromQt(text) + "\"";
}

QString Elided(const QString& text, Qt::TextElideMode mode) {
    const QFontMetrics metrics(QApplication::font("QMessageBox"));
    return metrics.elidedText(text, mode, kLongestQuote * metrics.averageCharWidth());
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

}  // namespace vorn::toolkit
