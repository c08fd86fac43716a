// SPDX-License-Identifier: MIT
// Writes where every control of the editor's windows stands, taken from the windows
// themselves (built, never shown), so that the desktop tests click by the window classes'
// own layout instead of a copy of it; and the ROM's facts the tests check bytes by, from the
// ROM library and the sample image's maker.
//
//   write-layout <output file>
//
// The file has one line a window and one line a control, frames before what they hold:
//   window <window> <client width> <client height>
//   control <window> <control> <container> <x> <y> <width> <height> <x in container>
//           <y in container>
// x and y are in the window's client area (below its menu bar); the container is the window
// itself or the frame that holds the control. A menu bar's titles, in the whole window:
//   menu <window> <menu> <x> <y> <width> <height>
// The room table, the header's fields and the sample's enemy lists (offsets in hexadecimal):
//   table <offset of room 0's header> <header size> <rooms>
//   field <name> <offset in the header> <width>
//   enemy-entry <size of an enemy list's entry>
//   sample-enemy-lists <offset of room 0's list> <from one room's list to the next>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <cstdio>
#include <fstream>
#include <string>

#include "rom/enemy_list.h"
#include "rom/room_header.h"
#include "tools/sample_image.h"
#include "ui/enemies/form3.h"
#include "ui/main/form1.h"
#include "ui/main/form2.h"
#include "ui/toolkit/desktop.h"

namespace {

using vorn::toolkit::Window;

// The windows are only built, never used: no message is shown and no file is asked for.
class NoDesktop : public vorn::toolkit::Desktop {
  public:
    using Desktop::ShowMessage;
    void ShowMessage(const std::string&, const std::string&) override {}
    std::string AskOpenFile(const std::string&, const std::string&, const std::string&) override {
        return std::string();
    }
};

void WriteWindow(std::ostream& out, const std::string& name, Window& window) {
    const QWidget* client = window.centralWidget();
    out << "window " << name << ' ' << client->width() << ' ' << client->height() << '\n';
    for (const QWidget* control : window.Controls()) {
        const QWidget* container = control->parentWidget();
        const QPoint place = control->mapTo(client, QPoint(0, 0));
        out << "control " << name << ' ' << control->objectName().toStdString() << ' '
            << (container == client ? name : container->objectName().toStdString()) << ' '
            << place.x() << ' ' << place.y() << ' ' << control->width() << ' ' << control->height()
            << ' ' << control->x() << ' ' << control->y() << '\n';
    }
    // menuWidget(), unlike menuBar(), makes no bar for a window that has none.
    const auto* bar = qobject_cast<const QMenuBar*>(window.menuWidget());
    if (bar == nullptr) {
        return;
    }
    for (QAction* action : bar->actions()) {
        const QMenu* menu = action->menu<QMenu*>();
        if (menu != nullptr) {
            const QRect title = bar->actionGeometry(action);
            const QPoint place = bar->mapTo(&window, title.topLeft());
            out << "menu " << name << ' ' << menu->objectName().toStdString() << ' ' << place.x()
                << ' ' << place.y() << ' ' << title.width() << ' ' << title.height() << '\n';
        }
    }
}

// An offset as the file writes it, "0x340AD4".
std::string Hex(long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", value);
    return text;
}

void WriteRomFacts(std::ostream& out) {
    out << "table " << Hex(vorn::RoomTable::kStart) << ' ' << vorn::RoomHeader::kSize << ' '
        << vorn::RoomTable::kRoomCount << '\n';
    for (const vorn::NamedField& field : vorn::kRoomHeaderFields) {
        out << "field " << field.name << ' ' << Hex(static_cast<long long>(field.field.at)) << ' '
            << field.field.width << '\n';
    }
    out << "enemy-entry " << vorn::EnemyList::kEntrySize << '\n';
    out << "sample-enemy-lists " << Hex(vorn::sample::kEnemyArea) << ' '
        << Hex(vorn::sample::kEnemyListStride) << '\n';
}

// The three windows as the editor builds them; the enemy editor takes its file and offset
// from the main window, as it does when "Follow Offset1" loads it.
bool WriteLayout(const std::string& path) {
    NoDesktop desktop;
    vorn::ui::Form1 form1(desktop);
    vorn::ui::Form2 form2;
    vorn::ui::Form3 form3(desktop, {form1.cmdGetTs, form1.txtEnTable1});
    std::ofstream out(path, std::ios::trunc);
    out << "# Written by write-layout from the window classes; do not edit.\n";
    WriteWindow(out, "Form1", form1);
    WriteWindow(out, "Form2", form2);
    WriteWindow(out, "Form3", form3);
    WriteRomFacts(out);
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write-layout <output file>\n");
        return 2;
    }
    // The windows are only built, never shown: no display is needed. On Windows they are
    // built on the program's own platform, whose fonts give the menu titles the places the
    // program shows them at (Qt's offscreen platform there has none of the system's fonts).
#ifdef _WIN32
    qputenv("QT_QPA_PLATFORM", "windows");
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication app(argc, argv);
    // Written beside the target first, so that a failed run never leaves half a file.
    const std::string path = argv[1];
    const std::string partial = path + ".partial";
    if (!WriteLayout(partial) || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "write-layout: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
