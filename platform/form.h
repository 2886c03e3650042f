// A window of the program: its native window, its controls and its handlers.
// Loading builds the native window hidden and runs the window's own start-up;
// unloading destroys the native window and tells whoever keeps the form.
#pragma once

#include "platform/services.h"

#include <memory>
#include <utility>

namespace kestrow {

// Counts the loaded windows and ends the program when the last one goes.
class LiveWindows {
public:
    explicit LiveWindows(Desktop& desktop) : desktop_(desktop) {}
    void opened() { ++count_; }
    void closed()
    {
        if (--count_ == 0) desktop_.quit();
    }
    int count() const { return count_; }

private:
    Desktop& desktop_;
    int count_ = 0;
};

class Form {
public:
    Form(Services& services, LiveWindows& live) : services_(services), live_(live) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the native window and its controls, then runs the start-up.
    void load()
    {
        if (loaded_) return;
        window_ = services_.desktop.createWindow(definition());
        loaded_ = true;
        live_.opened();
        addControls(*window_);
        Form_Load();
    }

    // Closes and destroys the native window. The form object itself stays
    // valid until its keeper drops it, since a handler may still be running.
    void unload()
    {
        if (!loaded_) return;
        loaded_ = false;
        window_->destroy();
        if (onUnloaded_) onUnloaded_();
        live_.closed();
    }

    void show()
    {
        load();
        window_->show();
    }

    bool loaded() const { return loaded_; }
    NativeWindow& window() { return *window_; }
    const NativeWindow& window() const { return *window_; }
    void setUnloadListener(Callback listener) { onUnloaded_ = std::move(listener); }

protected:
    virtual WindowDefinition definition() = 0;
    virtual void addControls(NativeWindow& window) = 0;
    virtual void Form_Load() {}

    Services& services_;

private:
    LiveWindows& live_;
    std::unique_ptr<NativeWindow> window_;
    Callback onUnloaded_;
    bool loaded_ = false;
};

// Holds at most one instance of a window that is created when first shown or
// referred to and that destroys itself when it unloads.
template <class F>
class FormSlot {
public:
    using Factory = std::function<std::unique_ptr<F>()>;

    FormSlot(Desktop& desktop, Factory make) : desktop_(desktop), make_(std::move(make)) {}

    // The loaded window, loading it (without showing it) if need be.
    F& refer()
    {
        if (!form_) {
            form_ = make_();
            form_->setUnloadListener([this] { retire(); });
            form_->load();
        }
        return *form_;
    }

    F& show()
    {
        F& form = refer();
        form.show();
        return form;
    }

    // The loaded window, or nullptr.
    F* get() const { return form_.get(); }

private:
    // The unloading handler is still on the stack: drop the form only once
    // the current event is over.
    void retire()
    {
        std::shared_ptr<F> gone(std::move(form_));
        desktop_.post([gone] {});
    }

    Desktop& desktop_;
    Factory make_;
    std::unique_ptr<F> form_;
};

}  // namespace kestrow
