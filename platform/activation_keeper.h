// When to give the activation back after a started program's end, and to
// which window. A program started to carry out a command may take the
// activation: the real shutdown.exe is a console program, and its console
// window, shown minimized with focus, is active for its lifetime. When that
// window closes, the system picks another window to activate, or none. With
// none, Tab and Enter reach no window until the user clicks one, and a user
// working in another program finds it inactive. The keeper gives the
// activation back to the window that had it when the program was started,
// and only when no window has it for a moment after the program's end:
// whatever the system or the user made active stays.
#pragma once

#include <cstdint>
#include <vector>

namespace kestrow {

class ActivationKeeper {
public:
    // A window of any program, as the system names it; 0 is none.
    using WindowId = std::uintptr_t;

    // What the keeper sees of the system and does to it.
    class System {
    public:
        virtual ~System() = default;
        // The window that has the activation now, or 0.
        virtual WindowId active() const = 0;
        // Whether the window still stands and shows, so it can take the
        // activation.
        virtual bool canActivate(WindowId window) const = 0;
        virtual void activate(WindowId window) = 0;
        virtual std::int64_t nowMs() const = 0;
    };

    // How long the keeper looks on after a program's end: long enough for
    // a console host to show and close its window after its program ended
    // (it may not even have shown it by then); short enough that a later
    // loss of the activation is not the program's doing.
    static constexpr std::int64_t kLookOnMs = 2000;
    // How often to look() while watching().
    static constexpr int kLookEveryMs = 50;

    explicit ActivationKeeper(System& system) : system_(system) {}

    // A program started while `activeBefore` had the activation has ended.
    // Its console window may still be closing: the keeper looks on.
    void programEnded(WindowId activeBefore);
    // One look while watching: the activation is given back once nothing
    // has it, to the window that had it before the latest program ended.
    void look();
    bool watching() const { return !watches_.empty(); }

private:
    struct Watch {
        WindowId activeBefore;
        std::int64_t untilMs;
    };
    void giveBack(WindowId window);

    System& system_;
    std::vector<Watch> watches_;
};

}  // namespace kestrow
