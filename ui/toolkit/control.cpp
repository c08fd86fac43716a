// SPDX-License-Identifier: MIT
#include "ui/toolkit/control.h"

#include <QWidget>

#include <algorithm>

#include "ui/toolkit/window.h"

namespace vorn::toolkit {

Control::Control(Container& parent, std::string name, Rect rect, QWidget* widget)
    : parent_(parent), name_(std::move(name)), rect_(rect), widget_(widget) {
    widget->setParent(parent.Host());
    widget->setObjectName(QString::fromStdString(name_));
    widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
    parent.children_.push_back(this);
    parent.OwnerWindow().Register(this);
}

Control::~Control() {
    for (const auto& connection : connections_) {
        QObject::disconnect(connection);
    }
    auto& siblings = parent_.children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    parent_.OwnerWindow().Unregister(this);
}

bool Control::Enabled() const {
    return widget_ && widget_->isEnabled();
}

void Control::SetEnabled(bool enabled) {
    if (widget_) {
        widget_->setEnabled(enabled);
    }
}

bool Control::HasFocus() const {
    return widget_ && widget_->hasFocus();
}

void Control::SetFocus() {
    if (widget_) {
        widget_->setFocus(Qt::OtherFocusReason);
    }
}

void Control::SetAccessibleName(const std::string& name) {
    widget_->setAccessibleName(QString::fromStdString(name));
}

bool Control::CaptionFits(const QFont&) const {
    return true;
}

void Control::ArrangeCaption(const QFont&) {}

}  // namespace vorn::toolkit
