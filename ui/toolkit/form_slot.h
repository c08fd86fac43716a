// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>

#include <functional>
#include <memory>

namespace vorn::toolkit {

class Window;

// A window that is loaded on demand and unloaded by its close box: showing it loads it
// first when it is not loaded, and its close box discards it with all its state. A window
// that the window system destroyed counts as closed with its close box. An unloaded window
// goes once the event at hand is done, so that it may unload itself.
template <class Form>
class FormSlot {
  public:
    using Factory = std::function<std::unique_ptr<Form>()>;
    explicit FormSlot(Factory factory) : factory_(std::move(factory)) {}
    ~FormSlot() { delete form_.data(); }
    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;

    bool IsLoaded() const { return !form_.isNull(); }
    Form* Get() const { return form_.data(); }

    // Loads the window (running its Form_Load) unless it is loaded already.
    Form& Load() {
        LoadAfresh();
        return *form_;
    }
    // Loads if needed, then shows and brings to the front.
    void Show() { Load().Show(); }
    // As Show; a window loaded now first takes its place beside `anchor` (see PlaceBeside).
    void ShowBeside(const Window& anchor) {
        if (LoadAfresh()) {
            form_->PlaceBeside(anchor);
        }
        form_->Show();
    }
    // Hides a loaded window; a window that is not loaded stays unloaded.
    void Hide() {
        if (form_) {
            form_->Hide();
        }
    }
    void Unload() {
        if (form_) {
            form_->hide();
            form_->deleteLater();
            form_.clear();
        }
    }

  private:
    // Loads the window unless it is loaded; true when it loads now. A window destroyed by the
    // window system while hidden, which no event told of, is unloaded first.
    bool LoadAfresh() {
        if (form_ && form_->WindowSystemDestroyed()) {
            Unload();
        }
        if (form_) {
            return false;
        }
        form_ = factory_().release();
        form_->CloseBox = [this] { Unload(); };
        form_->Destroyed = [this] { Unload(); };
        form_->Load();
        return true;
    }

    Factory factory_;
    QPointer<Form> form_;
};

}  // namespace vorn::toolkit
