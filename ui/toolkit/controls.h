// SPDX-License-Identifier: MIT
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <limits>
#include <string>

namespace vorn::toolkit {

class Window;

// The windows keep their texts in UTF-8 std::strings, as the ROM library does; these two are
// the only crossings to Qt's QString.
inline QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string FromQt(const QString& text) {
    return text.toStdString();
}

// Raises an event from a copy of its handler, which may unload the very window that raised it.
inline void Raise(const std::function<void()>& event) {
    if (event) {
        const std::function<void()> handler = event;
        handler();
    }
}

// A free text a control carries and never shows; empty at first.
std::string Tag(const QObject& control);
void SetTag(QObject& control, const std::string& tag);

// Where a window's controls stand: its client area, below its menu bar.
QWidget& ClientArea(Window& window);

// Keeps input a person did not mean out of a text field (a text box, a drop-down's field):
// - a key with Ctrl, Alt, Meta, Super or Hyper never types (Alt+F is the File menu); Shift
//   and the AltGr levels do;
// - the blanks around a pasted or dropped text do not count;
// - a paste that does not fit the field's maximum length is refused whole, however it comes,
//   and `refused` is told; such a drop is refused from the drag's entry, so that its source
//   keeps the text.
// Returns the guard, an event filter the field owns, for a widget that forwards key events to
// the field to install as well.
QObject* GuardTextField(QLineEdit* field, std::function<void(const QString& pasted)> refused);

// A Qt widget at a fixed place in pixels in a window's client area or in a frame, its object
// name the control's name (tests and screen readers find it by that).
template <class QtWidget>
class Control : public QtWidget {
  public:
    Control(QWidget& parent, const std::string& name, QRect rect) : QtWidget(&parent) {
        this->setObjectName(ToQt(name));
        this->setGeometry(rect);
    }
    Control(Window& window, const std::string& name, QRect rect)
        : Control(ClientArea(window), name, rect) {}
    void SetEnabled(bool enabled) { this->setEnabled(enabled); }
    // The name screen readers give a control that no caption names.
    void SetAccessibleName(const std::string& name) { this->setAccessibleName(ToQt(name)); }
};

// A captioned frame; the controls it holds stand relative to its top left.
class Frame : public Control<QGroupBox> {
  public:
    template <class Parent>
    Frame(Parent& parent, const std::string& name, QRect rect, const std::string& caption)
        : Control(parent, name, rect) {
        setTitle(ToQt(caption));
        setAccessibleName(title());  // else it is heard by the title of the frame around it
    }
};

// A caption. A one-line label may take the free room to its right when its caption needs it
// (see Window::Load); an "&" is shown as it is.
class Label : public Control<QLabel> {
  public:
    enum class Wrap { None, Words };
    template <class Parent>
    Label(Parent& parent, const std::string& name, QRect rect, const std::string& caption,
          Wrap wrap = Wrap::None)
        : Control(parent, name, rect) {
        setTextFormat(Qt::PlainText);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setWordWrap(wrap == Wrap::Words);
        setText(ToQt(caption));
    }
    std::string Caption() const { return FromQt(text()); }
    // Makes the label the caption of `control`, for the keyboard and for screen readers.
    void SetBuddy(QWidget& control) {
        setBuddy(&control);
        control.setAccessibleName(text());
    }
};

// A check box without text of its own; a label beside it names it.
class CheckBox : public Control<QCheckBox> {
  public:
    using Control::Control;
    void SetTicked(bool ticked) { setChecked(ticked); }
};

// A push button that Return and Enter press, as Space does, while it has the focus; a held key
// presses it once.
class Button : public Control<QPushButton> {
  public:
    template <class Parent>
    Button(Parent& parent, const std::string& name, QRect rect, const std::string& caption)
        : Control(parent, name, rect) {
        setText(ToQt(caption));
        setAutoDefault(false);  // Return in a text box never presses a button
        connect(this, &QPushButton::clicked, this, [this] { Raise(Click); });
    }
    std::function<void()> Click;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
            QPushButton::keyPressEvent(event);
            return;
        }
        event->accept();
        if (!event->isAutoRepeat()) {
            click();
        }
    }
};

// A one-line text box. With a maximum length the user cannot type beyond it, and a longer
// text set from code is cut to it.
class TextBox : public Control<QLineEdit> {
  public:
    static constexpr int kNoLimit = 0;
    template <class Parent>
    TextBox(Parent& parent, const std::string& name, QRect rect, const std::string& text,
            int maxLength = kNoLimit)
        : Control(parent, name, rect) {
        // Without a limit of its own the widget would cut at 32767 characters.
        setMaxLength(maxLength != kNoLimit ? maxLength : std::numeric_limits<int>::max());
        SetText(text);
        connect(this, &QLineEdit::textEdited, this, [this] { Raise(Change); });
        GuardTextField(this, [this](const QString& pasted) {
            if (const auto handler = PasteRefused) {
                handler(FromQt(pasted));
            }
        });
    }
    std::string Text() const { return FromQt(text()); }
    int MaxLength() const { return maxLength(); }
    // Shows the start of a text longer than the box, as a person reads it.
    void SetText(const std::string& text) {
        setText(ToQt(text));
        setCursorPosition(0);
    }

    // Raised when the user changes the text; never for SetText.
    std::function<void()> Change;
    // Raised with a paste that did not fit the maximum length and was refused whole.
    std::function<void(const std::string& pasted)> PasteRefused;
};

}  // namespace vorn::toolkit
