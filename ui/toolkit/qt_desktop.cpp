// SPDX-License-Identifier: MIT
#include "ui/toolkit/qt_desktop.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "ui/toolkit/open_dialog.h"

namespace vorn::toolkit {

QtDesktop::QtDesktop(std::string applicationTitle)
    : applicationTitle_(std::move(applicationTitle)) {}

void QtDesktop::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(applicationTitle_),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);  // a path may hold characters that look like markup
    // The text can be selected and copied: a path in an error is worth pasting elsewhere.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

std::string QtDesktop::AskOpenFile(const std::string& title, const std::string& filter,
                                   const std::string& start) {
    // Start in the folder of the previous choice, as a person expects.
    const QString folder =
        start.empty() ? QString() : QFileInfo(QString::fromStdString(start)).absolutePath();
    const QString chosen =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QString::fromStdString(title),
                                     folder, QString::fromStdString(QtFileFilter(filter)));
    return chosen.toStdString();
}

}  // namespace vorn::toolkit
