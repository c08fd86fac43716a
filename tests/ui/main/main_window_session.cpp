// SPDX-License-Identifier: MIT
#include "tests/ui/main/main_window_session.h"

#include <QWidget>
#include <QtTest>

#include "tests/support/ui_driver.h"

namespace vorn::test {

ImageBuilder GameImage() {
    ImageBuilder image(4 * kMiB);
    image.Title();
    return image;
}

ByteVector NoiseBytes(std::size_t count, std::uint32_t seed) {
    return ImageBuilder(count).Noise(seed).Bytes();
}

ByteVector WithBytes(ByteVector record, std::size_t field, const ByteVector& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        record.at(field + i) = bytes[i];
    }
    return record;
}

ByteVector LittleEndian32(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

ByteVector Bytes(const QByteArray& bytes) {
    return ByteVector(bytes.begin(), bytes.end());
}

QString Hex(long long value, int width) {
    return QString("%1").arg(value, width, 16, QChar('0')).toUpper();
}

QStringList Snapshot(toolkit::Window& window) {
    QStringList shown;
    for (QWidget* control : window.Controls()) {
        QString state = control->objectName() + (control->isEnabled() ? " enabled" : " disabled");
        if (auto* combo = dynamic_cast<toolkit::ComboBox*>(control)) {
            state += QStringLiteral(" item %1 text \"%2\"")
                         .arg(combo->ListIndex())
                         .arg(QString::fromStdString(combo->Text()));
        } else if (auto* box = dynamic_cast<toolkit::TextBox*>(control)) {
            state += QStringLiteral(" text \"%1\"").arg(QString::fromStdString(box->Text()));
        } else if (auto* check = dynamic_cast<toolkit::CheckBox*>(control)) {
            state += check->isChecked() ? QStringLiteral(" ticked") : QStringLiteral(" clear");
        }
        shown << state;
    }
    return shown;
}

QString FocusedControl(toolkit::Window& window) {
    // The window's own focus child: where the keyboard goes whenever the window is active.
    const QWidget* focus = window.focusWidget();
    if (focus == nullptr) {
        return QString();
    }
    // An editable list keeps the focus in its text field, a child of its own.
    const QWidget* parent = focus->parentWidget();
    for (const QWidget* candidate : {focus, parent}) {
        for (QWidget* control : window.Controls()) {
            if (control == candidate) {
                return control->objectName();
            }
        }
    }
    return QString();
}

MainWindowSession::MainWindowSession() : form(desktop) {
    form.Load();
    form.Show();
}

std::string MainWindowSession::Write(const ImageBuilder& image, const std::string& name) {
    return image.WriteTo(dir.File(name));
}

void MainWindowSession::Open(const std::string& path) {
    desktop.OpenAnswers.push_back(path);
    form.mnuOpen.trigger();
}

void MainWindowSession::PickRoom(int room) {
    PickWithMouse(form.cboRoom, room);
}

std::vector<std::string> MainWindowSession::MessagesAfter(std::size_t count) const {
    if (count >= desktop.Messages.size()) {
        return {};
    }
    return std::vector<std::string>(desktop.Messages.begin() + static_cast<std::ptrdiff_t>(count),
                                    desktop.Messages.end());
}

}  // namespace vorn::test
