// SPDX-License-Identifier: MIT
#include "ui/toolkit/message_text.h"

#include <QApplication>
#include <QFontMetrics>

#include "ui/toolkit/control.h"

namespace vorn::toolkit {

namespace {

// How much of a quote or a path a message box shows, in average characters of its font.
constexpr int kLongestQuote = 60;
constexpr int kLongestPath = 60;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The text cut to `characters` average characters of the message box's font, with "…" where
// it was cut; a text that fits is left whole.
QString Elided(const QString& text, Qt::TextElideMode mode, int characters) {
    const QFontMetrics metrics(QApplication::font("QMessageBox"));
    return metrics.elidedText(text, mode, characters * metrics.averageCharWidth());
}

}  // namespace

MessageText& MessageText::Plain(const std::string& text) {
    shown_ += text;
    full_ += text;
    return *this;
}

MessageText& MessageText::Typed(const std::string& text) {
    full_ += Quoted(text);
    const QString typed = ToQt(text);
    const QString shown = Elided(typed, Qt::ElideRight, kLongestQuote);
    shown_ += Quoted(FromQt(shown));
    if (shown != typed) {
        shown_ += " (" + std::to_string(typed.toUcs4().size()) + " characters)";
    }
    return *this;
}

// The start of a path says where, its end names the file: the middle is what can go.
MessageText& MessageText::Path(const std::string& path) {
    full_ += Quoted(path);
    shown_ += Quoted(FromQt(Elided(ToQt(path), Qt::ElideMiddle, kLongestPath)));
    return *this;
}

}  // namespace vorn::toolkit
