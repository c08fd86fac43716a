// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>

#include <functional>
#include <memory>

namespace vorn::toolkit {

class Window;

// A window loaded on demand and unloaded, with all its state, by its close box or by the
// window system destroying it. An unloaded window goes once the event at hand is done, so
// that it may unload itself.
template <class Form>
class FormSlot {
  public:
    explicit FormSlot(std::function<std::unique_ptr<Form>()> factory)
        : factory_(std::move(factory)) {}
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
    // Loads if needed, then shows and brings to the front; a window loaded now first takes
    // its place beside `anchor`.
    void ShowBeside(const Window& anchor) {
        if (LoadAfresh()) {
            form_->PlaceBeside(anchor);
        }
        form_->Show();
    }
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
    // True when the window loads now. One destroyed while hidden, which no event told of, is
    // unloaded first.
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

    std::function<std::unique_ptr<Form>()> factory_;
    QPointer<Form> form_;
};

}  // namespace vorn::toolkit
