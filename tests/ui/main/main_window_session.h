// SPDX-License-Identifier: MIT
#pragma once

// A main window on a scripted desktop, with a folder for the ROM files it works on, and the
// helpers the main window's tests share.

#include <QByteArray>
#include <QStringList>

#include <cstddef>
#include <string>
#include <vector>

#include "tests/support/image_builder.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/temp_dir.h"
#include "ui/main/form1.h"

namespace vorn::test {

// An image of the game: 4 MiB of zeros with the title at 0xA0.
ImageBuilder GameImage();
// `count` bytes from the fixed pseudo-random sequence of `seed`.
ByteVector NoiseBytes(std::size_t count, std::uint32_t seed);
// `record` with `bytes` put at `field`.
ByteVector WithBytes(ByteVector record, std::size_t field, const ByteVector& bytes);
ByteVector LittleEndian32(std::uint32_t value);
ByteVector Bytes(const QByteArray& bytes);
// `value` in upper-case hexadecimal, at least `width` digits.
QString Hex(long long value, int width = 1);

// What every control of the window shows: texts, selections, ticks and enabled states.
QStringList Snapshot(toolkit::Window& window);
// The control of the window that has the keyboard focus when the window is active, by name
// ("" when none has).
QString FocusedControl(toolkit::Window& window);

class MainWindowSession {
  public:
    MainWindowSession();

    // Writes the image into the session's folder and returns its path.
    std::string Write(const ImageBuilder& image, const std::string& name = "game.gba");
    // File > Open, answering the dialog with `path` ("" cancels).
    void Open(const std::string& path);
    // Picks a room in cboRoom with the mouse.
    void PickRoom(int room);
    // Messages shown since the first `count`.
    std::vector<std::string> MessagesAfter(std::size_t count) const;

    TempDir dir;
    ScriptedDesktop desktop;
    ui::Form1 form;
};

}  // namespace vorn::test
