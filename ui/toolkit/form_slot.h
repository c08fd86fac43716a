// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>

namespace vorn::toolkit {

// A window that is loaded on demand and unloaded by its close box: showing it loads it
// first when it is not loaded, and its close box discards it with all its state.
template <class Form>
class FormSlot {
  public:
    using Factory = std::function<std::unique_ptr<Form>()>;
    explicit FormSlot(Factory factory) : factory_(std::move(factory)) {}

    bool IsLoaded() const { return form_ != nullptr; }
    Form* Get() const { return form_.get(); }

    // Loads the window (running its Form_Load) unless it is loaded already.
    Form& Load() {
        if (!form_) {
            form_ = factory_();
            form_->CloseBox = [this] { Unload(); };
            form_->Load();
        }
        return *form_;
    }
    // Loads if needed, then shows and brings to the front.
    void Show() { Load().Show(); }
    // Hides a loaded window; a window that is not loaded stays unloaded.
    void Hide() {
        if (form_) {
            form_->Hide();
        }
    }
    void Unload() { form_.reset(); }

  private:
    Factory factory_;
    std::unique_ptr<Form> form_;
};

}  // namespace vorn::toolkit
