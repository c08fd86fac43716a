// SPDX-License-Identifier: MIT
#include "ui/toolkit/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

#include "ui/toolkit/controls.h"

namespace vorn::toolkit {

namespace {

// A shown window the window system destroyed stops being exposed, as a minimised one does,
// but its native window is gone.
class DestructionWatch : public QObject {
  public:
    DestructionWatch(QWindow* native, Window* window) : QObject(native), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* native = static_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && !native->isExposed() && window_ &&
            NativeWindowDestroyed(*native)) {
            Raise(window_->Destroyed);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QPointer<Window> window_;
};

// Where a window of `size` goes beside `anchor` inside `area`: right of it, else left of it,
// else as far right as `area` allows; a window larger than `area` keeps its top left there.
QPoint BesidePosition(const QRect& anchor, QSize size, const QRect& area) {
    constexpr int kGap = 8;
    const int right = anchor.right() + 1 + kGap;
    const int left = anchor.left() - kGap - size.width();
    const int lastX = area.right() + 1 - size.width();
    const int x = right <= lastX ? right : left >= area.left() ? left : lastX;
    const int y = std::min(anchor.top(), area.bottom() + 1 - size.height());
    return {std::max(std::min(x, lastX), area.left()), std::max(y, area.top())};
}

// A text's width on one line, rounded up: a rounded-down advance would be cut off.
int TextWidth(const QFont& font, QString text, bool showsAmpersand = true) {
    if (!showsAmpersand) {
        text.remove(QLatin1Char('&'));  // it marks an access key and takes no room
    }
    return static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

// A label's width: its own, cut back where a control on its right covers it or at its
// container's inner edge, or widened up to there for a longer one-line caption. Labels do
// not count: a caption shows through a label's empty part.
int LabelWidth(const QLabel& label, const QFont& font) {
    const QRect self = label.geometry();
    int right = label.parentWidget()->width() - 2;
    for (const QWidget* other :
         label.parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect rect = other->geometry();
        if (qobject_cast<const QLabel*>(other) == nullptr && rect.x() > self.x() &&
            rect.y() <= self.bottom() && self.y() <= rect.bottom()) {
            right = std::min(right, rect.x());
        }
    }
    const int room = std::max(0, right - self.x());
    const int own = std::min(label.width(), room);
    return label.wordWrap() ? own : std::min(room, std::max(own, TextWidth(font, label.text())));
}

// Whether a control's caption fits where it stands in `font`. Beside its caption a button
// keeps room for its bevel, a frame for where the style starts its title and the gaps.
bool CaptionFits(const QWidget& control, const QFont& font) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        const QFontMetrics metrics(font);
        const int width = LabelWidth(*label, font);
        const QSize needs = label->wordWrap()
                                ? metrics
                                      .boundingRect({0, 0, width, 1 << 16},
                                                    Qt::AlignLeft | Qt::TextWordWrap, label->text())
                                      .size()
                                : QSize(TextWidth(font, label->text()), metrics.height());
        return needs.width() <= width && needs.height() <= label->height();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        return TextWidth(font, button->text(), false) + 6 <= button->width();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(&control)) {
        return TextWidth(font, frame->title(), false) + 10 < frame->width();
    }
    return true;
}

// The size the first window chose, which no later window exceeds: one size for the program.
double programFontSize = 0.0;

}  // namespace

std::string Tag(const QObject& control) {
    return FromQt(control.property("tag").toString());
}

void SetTag(QObject& control, const std::string& tag) {
    control.setProperty("tag", ToQt(tag));
}

QWidget& ClientArea(Window& window) {
    return *window.centralWidget();
}

Window::Window(const std::string& caption, int clientWidth, int clientHeight) {
    setWindowTitle(ToQt(caption));
    auto* client = new QWidget;
    client->setFixedSize(clientWidth, clientHeight);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Window::closeEvent(QCloseEvent* event) {
    if (CloseBox) {
        event->ignore();
        Raise(CloseBox);
    } else {
        event->accept();  // hides the window
    }
}

QMenuBar* Window::MenuBar() {
    menuBar()->setNativeMenuBar(false);  // in the window on every desktop
    return menuBar();
}

std::vector<QWidget*> Window::Controls() const {
    std::vector<QWidget*> controls;
    const std::function<void(const QWidget*)> collect = [&](const QWidget* container) {
        for (QWidget* control : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            controls.push_back(control);
            if (qobject_cast<QGroupBox*>(control) != nullptr) {
                collect(control);
            }
        }
    };
    collect(centralWidget());
    return controls;
}

void Window::SetTabOrder(const std::vector<QWidget*>& order) {
    tabOrder_ = order;
    for (QWidget* control : Controls()) {
        if (std::find(order.begin(), order.end(), control) == order.end()) {
            control->setFocusPolicy(Qt::NoFocus);
        }
    }
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void Window::Load() {
    if (!loaded_) {
        loaded_ = true;
        FitCaptions();
        Form_Load();
    }
}

void Window::Show() {
    Load();
    show();
    raise();
    activateWindow();
    if (everShown_) {
        return;
    }
    everShown_ = true;
    if (QWindow* native = windowHandle()) {
        native->installEventFilter(new DestructionWatch(native, this));
    }
    const auto first = std::find_if(tabOrder_.begin(), tabOrder_.end(),
                                    [](const QWidget* control) { return control->isEnabled(); });
    if (first != tabOrder_.end()) {
        (*first)->setFocus(Qt::OtherFocusReason);
    }
}

void Window::PlaceBeside(const Window& other) {
    layout()->activate();  // the window takes its size from its layout
    const QRect anchor = other.frameGeometry();
    // Not framed yet: the other's frame is the guide.
    const QSize frame = size() + anchor.size() - other.size();
    const QScreen* screen = QGuiApplication::screenAt(anchor.center());
    screen = screen != nullptr ? screen : other.screen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : anchor;
    move(BesidePosition(anchor, frame, area));
}

bool Window::WindowSystemDestroyed() const {
    return windowHandle() != nullptr && NativeWindowDestroyed(*windowHandle());
}

// The largest font, from a comfortable size down, in which every caption fits where the layout
// puts it; only a one-line label may widen, into the free room on its right.
void Window::FitCaptions() {
    const std::vector<QWidget*> controls = Controls();
    QFont font = QApplication::font();
    for (double size = programFontSize > 0.0 ? programFontSize : 9.0; size >= 6.0; size -= 0.25) {
        font.setPointSizeF(size);
        if (std::all_of(controls.begin(), controls.end(),
                        [&font](const QWidget* c) { return CaptionFits(*c, font); })) {
            break;
        }
    }
    if (programFontSize <= 0.0) {
        programFontSize = font.pointSizeF();
    }
    // Every widget gets the font itself, so that nothing depends on it being passed down.
    setFont(font);
    for (QWidget* control : controls) {
        control->setFont(font);
    }
    for (QLabel* label : centralWidget()->findChildren<QLabel*>()) {
        label->resize(LabelWidth(*label, font), label->height());
    }
}

}  // namespace vorn::toolkit
