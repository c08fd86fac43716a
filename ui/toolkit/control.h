// SPDX-License-Identifier: MIT
#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QFont;

namespace vorn::toolkit {

class Window;
class Control;

// Raises an event. The handler runs from a copy, so it may unload the very window whose
// control raised it.
inline void Raise(const std::function<void()>& event) {
    if (event) {
        const std::function<void()> handler = event;
        handler();
    }
}

// Position and size in pixels, relative to the containing window's client area or frame.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Something controls can sit in: a window's client area or a frame.
class Container {
  public:
    virtual ~Container() = default;
    virtual QWidget* Host() const = 0;
    virtual Window& OwnerWindow() = 0;
    const std::vector<Control*>& Children() const { return children_; }

  private:
    friend class Control;
    std::vector<Control*> children_;
};

// A control of a window: a named widget with a free text tag.
class Control {
  public:
    Control(Container& parent, std::string name, Rect rect, QWidget* widget);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // A free text value that the control carries and never shows; empty at first.
    std::string Tag;

    const std::string& Name() const { return name_; }
    Rect Layout() const { return rect_; }
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool HasFocus() const;
    void SetFocus();
    // The name screen readers give a control that no caption names.
    void SetAccessibleName(const std::string& name);
    QWidget* Widget() const { return widget_; }
    Container& Parent() const { return parent_; }

    // Whether the caption, if the control has one, fits where it stands in the given font;
    // a label may also take the free room to its right. Controls without caption fit always.
    virtual bool CaptionFits(const QFont& font) const;
    // Gives the control the room its caption needs in the font chosen for the window.
    virtual void ArrangeCaption(const QFont& font);
    // Whether the control hides what lies behind it; a label's caption does not.
    virtual bool IsOpaque() const { return true; }

  protected:
    // Keeps the connection so that it is cut when the control goes, before its widget.
    void Keep(QMetaObject::Connection connection) { connections_.push_back(connection); }

  private:
    Container& parent_;
    std::string name_;
    Rect rect_;
    QPointer<QWidget> widget_;
    std::vector<QMetaObject::Connection> connections_;
};

}  // namespace vorn::toolkit
