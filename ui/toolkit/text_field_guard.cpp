// SPDX-License-Identifier: MIT
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

#include "ui/toolkit/controls.h"
#include "ui/toolkit/window.h"

namespace vorn::toolkit {

namespace {

// Shift and the AltGr levels choose the character a key types; with Ctrl, Alt, Meta, Super or
// Hyper held the key is a command.
bool IsCommandKey(const QKeyEvent& key) {
    return (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0 ||
           (key.nativeModifiers() & CommandModifierBits()) != 0;
}

// Blanks around a pasted or dropped text (trimmed()) are no part of the value: "1A2B3C\n" is
// 1A2B3C. Blanks inside it stay.
class TextFieldGuard : public QObject {
  public:
    TextFieldGuard(QLineEdit* field, std::function<void(const QString&)> refused)
        : QObject(field), field_(field), refused_(std::move(refused)) {}

  protected:
    // True: the event stops here.
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                return OnKey(watched, static_cast<QKeyEvent*>(event));
            case QEvent::MouseButtonRelease:  // the middle button pastes the selection
                if (watched != field_ ||
                    static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton ||
                    !QGuiApplication::clipboard()->supportsSelection()) {
                    return false;
                }
                field_->deselect();
                return PasteFrom(QClipboard::Selection);
            case QEvent::ContextMenu:
                return watched == field_ && OnContextMenu(static_cast<QContextMenuEvent*>(event));
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
                return OnDrag(static_cast<QDropEvent*>(event));
            default:
                return false;
        }
    }

  private:
    bool OnKey(QObject* watched, QKeyEvent* key) {
        if (key->matches(QKeySequence::Paste)) {
            return PasteFrom(QClipboard::Clipboard);
        }
        if (key->text().isEmpty() || !key->text().at(0).isPrint() || !IsCommandKey(*key)) {
            return false;
        }
        // The same key without its text: a shortcut of the field (Ctrl+A) still works, and
        // one the field does not know (Alt+F) goes on to the window.
        QKeyEvent command(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                          key->nativeVirtualKey(), key->nativeModifiers(), QString(),
                          key->isAutoRepeat(), static_cast<quint16>(key->count()), key->device());
        command.ignore();
        QCoreApplication::sendEvent(watched, &command);
        key->setAccepted(command.isAccepted());
        return true;
    }

    // The field's own menu, whose Paste (named in the user's language, but ending with the
    // paste key) goes through the same rule.
    bool OnContextMenu(QContextMenuEvent* event) {
        QMenu* menu = field_->createStandardContextMenu();
        const QString key = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QLatin1String("edit-paste") ||
                action->text().endsWith(QLatin1Char('\t') + key)) {
                QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
                QObject::connect(action, &QAction::triggered, field_,
                                 [this] { PasteFrom(QClipboard::Clipboard); });
            }
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
        return true;
    }

    // Pastes whole or not at all; the field's own paste never runs.
    bool PasteFrom(QClipboard::Mode mode) {
        const QString text = QGuiApplication::clipboard()->text(mode).trimmed();
        if (field_->isReadOnly() || text.isEmpty()) {
            return true;
        }
        if (field_->text().size() - field_->selectedText().size() + text.size() >
            field_->maxLength()) {
            if (refused_) {
                refused_(text);
            }
            return true;
        }
        field_->insert(text);
        return true;
    }

    // A drag that would not fit is refused as it enters (the pointer shows no-drop, and the
    // source keeps its text); a fitting drop goes in trimmed.
    bool OnDrag(QDropEvent* drag) {
        if (!DropFits(*drag)) {
            drag->ignore();
            return true;
        }
        const QMimeData* data = drag->mimeData();
        if (drag->type() != QEvent::Drop || data == nullptr || drag->source() == field_ ||
            data->text().trimmed() == data->text()) {
            return false;
        }
        // The field drops the trimmed text as it drops any, and the drag learns what it did.
        QMimeData trimmed;
        trimmed.setText(data->text().trimmed());
        QDropEvent clean(drag->position(), drag->possibleActions(), &trimmed, drag->buttons(),
                         drag->modifiers());
        QCoreApplication::sendEvent(field_, &clean);
        drag->setDropAction(clean.dropAction());
        drag->setAccepted(clean.isAccepted());
        return true;
    }

    // Whether the dragged text would go in whole, where the field keeps what it holds; text
    // dragged within the field leaves its place when moved.
    bool DropFits(const QDropEvent& drop) const {
        const QMimeData* data = drop.mimeData();
        if (data == nullptr || !data->hasText() || field_->isReadOnly()) {
            return true;  // the field takes nothing from it anyway
        }
        qsizetype adds = data->text().trimmed().size();
        if (drop.source() == field_) {
            adds = drop.dropAction() == Qt::MoveAction ? 0 : field_->selectedText().size();
        } else if (adds == 0) {
            return false;
        }
        return field_->text().size() + adds <= field_->maxLength();
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
