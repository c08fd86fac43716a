// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <string>

namespace vorn::toolkit {

class Window;

// The windows keep their texts as the ROM library does, in UTF-8 std::strings; Qt keeps
// QStrings. These two are the only crossings.
inline QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string FromQt(const QString& text) {
    return text.toStdString();
}

// Raises an event. The handler runs from a copy, so it may unload the very window whose
// control raised it.
inline void Raise(const std::function<void()>& event) {
    if (event) {
        const std::function<void()> handler = event;
        handler();
    }
}

// A free text a control carries and never shows; empty at first.
std::string Tag(const QObject& control);
void SetTag(QObject& control, const std::string& tag);

// Where a window's controls and frames stand: its client area, below its menu bar.
QWidget& ClientArea(Window& window);

// A Qt widget as a control of a window: its object name is the control's name (tests and
// assistive technology find it by that), and it stands at a fixed place in pixels in its
// window's client area or in a frame.
template <class QtWidget>
class Control : public QtWidget {
  public:
    Control(QWidget& parent, const std::string& name, QRect rect) : QtWidget(&parent) {
        this->setObjectName(ToQt(name));
        this->setGeometry(rect);
    }
    Control(Window& window, const std::string& name, QRect rect)
        : Control(ClientArea(window), name, rect) {}

    std::string Name() const { return FromQt(this->objectName()); }
    bool Enabled() const { return this->isEnabled(); }
    void SetEnabled(bool enabled) { this->setEnabled(enabled); }
    bool HasFocus() const { return this->hasFocus(); }
    void SetFocus() { this->setFocus(Qt::OtherFocusReason); }
    // The name screen readers give a control that no caption names.
    void SetAccessibleName(const std::string& name) { this->setAccessibleName(ToQt(name)); }
    QtWidget* Widget() { return this; }
    const QtWidget* Widget() const { return this; }
};

}  // namespace vorn::toolkit
