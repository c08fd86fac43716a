// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include "ui/main/form1.h"
#include "ui/toolkit/qt_desktop.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(vorn::ui::kApplicationTitle));
    QApplication::setDesktopFileName(QStringLiteral("vorn-header-editor"));
    QIcon icon(QStringLiteral(":/icons/vorn-header-editor-48.png"));
    icon.addFile(QStringLiteral(":/icons/vorn-header-editor-128.png"));
    QApplication::setWindowIcon(icon);
    // One look everywhere, so that the fixed layout of the windows holds on every desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    vorn::toolkit::QtDesktop desktop(vorn::ui::kApplicationTitle);
    vorn::ui::Form1 form1(desktop);
    // The program ends when its main window is gone, by any route: closed by the user, or
    // destroyed by the window system, also while a message box or the Open dialog waits
    // (quitting ends every event loop, theirs too).
    form1.CloseBox = [] { QApplication::quit(); };
    form1.Destroyed = [] { QApplication::quit(); };
    form1.Load();
    form1.Show();
    return QApplication::exec();
}
