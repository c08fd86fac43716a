// SPDX-License-Identifier: MIT
#include "ui/toolkit/window.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

#include <algorithm>

#include "ui/toolkit/form_widget.h"
#include "ui/toolkit/native_window.h"

namespace vorn::toolkit {

namespace {

// Tells when the window system destroyed a shown window: it stops being exposed, like a
// minimised one, but its native window is gone.
class DestructionWatch : public QObject {
  public:
    DestructionWatch(QWindow* window, FormWidget* widget)
        : QObject(window), window_(window), widget_(widget) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && !window_->isExposed() && widget_ &&
            NativeWindowDestroyed(*window_)) {
            widget_->WindowSystemDestroyed();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWindow* window_;
    QPointer<FormWidget> widget_;
};

// The screen's area for windows (without panels) where `frame` lies: the screen that holds
// its middle, else the one the window was last on.
QRect AvailableAreaFor(const QRect& frame, const QWidget& widget) {
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (screen == nullptr) {
        screen = widget.screen();
    }
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : frame;
}

// Where a window of `size` goes beside `anchor`, wholly inside `area`: to its right where
// it fits, else to its left where that fits, else as near the right as `area` allows; its
// top level with the anchor's, moved into `area`. A window larger than `area` keeps its top
// left corner there.
QPoint BesidePosition(const QRect& anchor, QSize size, const QRect& area) {
    constexpr int kGap = 8;
    const int right = anchor.right() + 1 + kGap;
    const int left = anchor.left() - kGap - size.width();
    const int lastX = area.right() + 1 - size.width();
    int x = right;
    if (right > lastX) {
        x = left >= area.left() ? left : lastX;
    }
    x = std::max(std::min(x, lastX), area.left());
    const int y = std::max(std::min(anchor.top(), area.bottom() + 1 - size.height()), area.top());
    return {x, y};
}

// Presents a window's top-level widget as a window to assistive technology; Qt would take
// a plain QWidget for part of one.
QAccessibleInterface* WindowAccessibility(const QString&, QObject* object) {
    auto* form = dynamic_cast<FormWidget*>(object);
    return form != nullptr ? new QAccessibleWidget(form, QAccessible::Window) : nullptr;
}

}  // namespace

void FormWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (onCloseBox) {
        RunInOwnEvent(onCloseBox);
    } else {
        hide();
    }
}

void FormWidget::WindowSystemDestroyed() {
    if (onDestroyed) {
        RunInOwnEvent(onDestroyed);
    }
}

void FormWidget::RunInOwnEvent(std::function<void()> handler) {
    inOwnEvent_ = true;
    const QPointer<FormWidget> self(this);
    handler();
    if (self) {
        inOwnEvent_ = false;
    }
}

Window::Window(std::string caption, int clientWidth, int clientHeight)
    : top_(new FormWidget),
      client_(new QWidget(top_)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight) {
    QAccessible::installFactory(WindowAccessibility);
    top_->setWindowTitle(QString::fromStdString(caption));
    top_->setAttribute(Qt::WA_DeleteOnClose, false);
    top_->onCloseBox = [this] {
        if (CloseBox) {
            CloseBox();
        } else {
            Hide();
        }
    };
    top_->onDestroyed = [this] { Raise(Destroyed); };
    PlaceClientArea();
}

Window::~Window() {
    if (!top_) {
        return;
    }
    top_->onCloseBox = nullptr;
    top_->onDestroyed = nullptr;
    top_->hide();
    if (top_->InOwnEvent()) {
        top_->deleteLater();  // still inside an event of its own
    } else {
        delete top_.data();
    }
}

void Window::PlaceClientArea() {
    const int menuHeight = menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
    if (menuBar_ != nullptr) {
        menuBar_->setGeometry(0, 0, clientWidth_, menuHeight);
    }
    client_->setGeometry(0, menuHeight, clientWidth_, clientHeight_);
    top_->setFixedSize(clientWidth_, menuHeight + clientHeight_);
}

QMenuBar* Window::MenuBar() {
    if (menuBar_ == nullptr) {
        menuBar_ = new QMenuBar(top_);
        menuBar_->setNativeMenuBar(false);
        PlaceClientArea();
    }
    return menuBar_;
}

void Window::Register(Control* control) {
    controls_.push_back(control);
}

void Window::Unregister(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabOrder_.erase(std::remove(tabOrder_.begin(), tabOrder_.end(), control), tabOrder_.end());
}

void Window::SetTabOrder(const std::vector<Control*>& order) {
    tabOrder_ = order;
    for (Control* control : controls_) {
        const bool inOrder = std::find(order.begin(), order.end(), control) != order.end();
        if (!inOrder) {
            control->Widget()->setFocusPolicy(Qt::NoFocus);
        }
    }
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1]->Widget(), order[i]->Widget());
    }
}

void Window::Load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    FitCaptions();
    Form_Load();
}

void Window::Show() {
    Load();
    top_->show();
    top_->raise();
    top_->activateWindow();
    if (!everShown_) {
        everShown_ = true;
        WatchForDestruction();
        for (Control* control : tabOrder_) {
            if (control->Enabled()) {
                control->SetFocus();
                break;
            }
        }
    }
}

void Window::WatchForDestruction() {
    QWindow* native = top_->windowHandle();
    if (native != nullptr) {
        native->installEventFilter(new DestructionWatch(native, top_));
    }
}

void Window::Hide() {
    top_->hide();
}

void Window::PlaceBeside(const Window& other) {
    const QRect anchor = other.top_->frameGeometry();
    // The window system has not framed this window yet: take the other's frame as a guide.
    const QSize frame = top_->size() + anchor.size() - other.top_->size();
    top_->move(BesidePosition(anchor, frame, AvailableAreaFor(anchor, *other.top_)));
}

void Window::Close() {
    top_->close();
}

bool Window::WindowSystemDestroyed() const {
    const QWindow* native = top_->windowHandle();
    return native != nullptr && NativeWindowDestroyed(*native);
}

bool Window::IsVisible() const {
    return top_->isVisible();
}

std::string Window::Caption() const {
    return top_->windowTitle().toStdString();
}

// The size the first window chose: later windows take no larger one, so that the whole
// program reads in one size.
namespace {
double programFontSize = 0.0;
}  // namespace

// Chooses the largest font, from a comfortable size down, in which every caption of the
// window fits where the layout puts it; the positions and sizes themselves never change.
void Window::FitCaptions() {
    QFont font = QApplication::font();
    constexpr double kSmallest = 6.0;
    constexpr double kStep = 0.25;
    const double largest = programFontSize > 0.0 ? programFontSize : 9.0;
    for (double size = largest; size >= kSmallest; size -= kStep) {
        font.setPointSizeF(size);
        const bool fits = std::all_of(controls_.begin(), controls_.end(),
                                      [&font](const Control* c) { return c->CaptionFits(font); });
        if (fits) {
            break;
        }
    }
    if (programFontSize <= 0.0) {
        programFontSize = font.pointSizeF();
    }
    // Every widget gets the font itself, so that nothing depends on it being passed down.
    top_->setFont(font);
    for (Control* control : controls_) {
        control->Widget()->setFont(font);
        control->ArrangeCaption(font);
    }
    PlaceClientArea();  // the menu bar's height follows the font
}

}  // namespace vorn::toolkit
