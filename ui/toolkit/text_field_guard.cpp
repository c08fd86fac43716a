// SPDX-License-Identifier: MIT
#include "ui/toolkit/text_field_guard.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

namespace vorn::toolkit {

namespace {

// The field's own menu names its entries in the user's language, but each ends with its
// shortcut, which Paste shares with the key that pastes.
bool IsPasteAction(const QAction* action) {
    const QString shortcut = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    return action->objectName() == QLatin1String("edit-paste") ||
           action->text().endsWith(QLatin1Char('\t') + shortcut);
}

class TextFieldGuard : public QObject {
  public:
    TextFieldGuard(QLineEdit* field, std::function<void(const QString&)> refused)
        : QObject(field), field_(field), refused_(std::move(refused)) {}

  protected:
    // True: the event stops here.
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                return OnKey(static_cast<QKeyEvent*>(event));
            case QEvent::MouseButtonRelease:
                return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
                       QGuiApplication::clipboard()->supportsSelection() &&
                       !Fits(QGuiApplication::clipboard()->text(QClipboard::Selection));
            case QEvent::ContextMenu:
                return watched == field_ && OnContextMenu(static_cast<QContextMenuEvent*>(event));
            case QEvent::Drop:
                return OnDrop(static_cast<QDropEvent*>(event));
            default:
                return false;
        }
    }

  private:
    bool OnKey(QKeyEvent* key) {
        if (key->matches(QKeySequence::Paste)) {
            return !Fits(QGuiApplication::clipboard()->text());
        }
        const bool altOrMeta = (key->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) != 0;
        if (altOrMeta && !key->text().isEmpty() && key->text().at(0).isPrint()) {
            key->ignore();
            return true;
        }
        return false;
    }

    // The field's own menu, whose Paste checks first.
    bool OnContextMenu(QContextMenuEvent* event) {
        QMenu* menu = field_->createStandardContextMenu();
        for (QAction* action : menu->actions()) {
            if (IsPasteAction(action)) {
                QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
                QObject::connect(action, &QAction::triggered, field_, [this] {
                    if (Fits(QGuiApplication::clipboard()->text())) {
                        field_->paste();
                    }
                });
            }
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
        return true;
    }

    bool OnDrop(QDropEvent* drop) {
        if (drop->mimeData() == nullptr || Fits(drop->mimeData()->text())) {
            return false;
        }
        drop->ignore();
        return true;
    }

    // Whether the pasted text fits in place of the selection; says so when it does not.
    bool Fits(const QString& pasted) {
        const auto resulting =
            field_->text().size() - field_->selectedText().size() + pasted.size();
        if (resulting <= field_->maxLength()) {
            return true;
        }
        if (refused_) {
            refused_(pasted);
        }
        return false;
    }

    QLineEdit* field_;
    std::function<void(const QString&)> refused_;
};

}  // namespace

QObject* GuardTextField(QLineEdit* field, std::function<void(const QString& pasted)> refused) {
    auto* guard = new TextFieldGuard(field, std::move(refused));
    field->installEventFilter(guard);
    return guard;
}

}  // namespace vorn::toolkit
