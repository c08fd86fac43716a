// SPDX-License-Identifier: MIT
// Writes where every control of the editor's windows stands, taken from the windows
// themselves (built on Qt's offscreen platform, never shown), so that the desktop tests
// click by the window classes' own layout instead of a copy of it.
//
//   write-layout <output file>
//
// The file has one line a window and one line a control, in the order they were made:
//   window <window> <client width> <client height>
//   control <window> <control> <container> <x> <y> <width> <height> <x in container>
//           <y in container>
// x and y are in the window's client area (below its menu bar); the container is the window
// itself or the frame that holds the control.

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <fstream>
#include <string>

#include "ui/enemies/form3.h"
#include "ui/main/form1.h"
#include "ui/main/form2.h"
#include "ui/toolkit/desktop.h"

namespace {

using vorn::toolkit::Container;
using vorn::toolkit::Control;
using vorn::toolkit::Rect;
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

// The frame that holds the control, or nothing for a control on the client area.
const Control* HoldingFrame(const Control& control) {
    return dynamic_cast<const Control*>(&control.Parent());
}

// The control's place in the window's client area: its own, plus every holding frame's.
Rect InClientArea(const Control& control) {
    Rect place = control.Layout();
    for (const Control* frame = HoldingFrame(control); frame != nullptr;
         frame = HoldingFrame(*frame)) {
        place.x += frame->Layout().x;
        place.y += frame->Layout().y;
    }
    return place;
}

void WriteWindow(std::ostream& out, const std::string& name, Window& window) {
    out << "window " << name << ' ' << window.Host()->width() << ' ' << window.Host()->height()
        << '\n';
    for (const Control* control : window.Controls()) {
        const Control* frame = HoldingFrame(*control);
        const Rect own = control->Layout();
        const Rect place = InClientArea(*control);
        out << "control " << name << ' ' << control->Name() << ' '
            << (frame != nullptr ? frame->Name() : name) << ' ' << place.x << ' ' << place.y << ' '
            << place.width << ' ' << place.height << ' ' << own.x << ' ' << own.y << '\n';
    }
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
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write-layout <output file>\n");
        return 2;
    }
    // The windows are only built, never shown: no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
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
