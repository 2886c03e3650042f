// How many window handlers are running on the user-interface thread's stack.
// A handler that waits in a modal loop (a message box, a popup menu) lets
// that loop dispatch other messages meanwhile; work posted "for after the
// current event" must still wait until the outermost handler has returned,
// or it could free the window whose handler is waiting.
#pragma once

#include <functional>
#include <utility>

namespace kestrow::win32 {

class HandlerDepth {
public:
    // onIdle runs whenever the outermost handler has returned.
    explicit HandlerDepth(std::function<void()> onIdle) : onIdle_(std::move(onIdle)) {}
    HandlerDepth(const HandlerDepth&) = delete;
    HandlerDepth& operator=(const HandlerDepth&) = delete;

    bool idle() const { return depth_ == 0; }

    // Marks a handler as running for as long as it lives.
    class Scope {
    public:
        explicit Scope(HandlerDepth& depth) : depth_(depth) { ++depth_.depth_; }
        ~Scope()
        {
            if (--depth_.depth_ == 0 && depth_.onIdle_) depth_.onIdle_();
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        HandlerDepth& depth_;
    };

private:
    int depth_ = 0;
    std::function<void()> onIdle_;
};

}  // namespace kestrow::win32
