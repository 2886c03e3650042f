// What the contract suite needs of a platform beyond its interfaces: a
// user's input, time passing, and what only the system does (refusing a
// timer, answering a box, asking a window to close). One driver works the
// in-memory platform, one the Win32 desktop; the suite is the same for both.
#pragma once

#include "platform/services.h"

namespace kestrow::contract {

class PlatformDriver {
public:
    virtual ~PlatformDriver() = default;
    virtual Services& services() = 0;

    // The event loop runs for this long: ticks, posted callbacks and the
    // ends of commands come as they would.
    virtual void letTimePass(int ms) = 0;
    // Waits until every command started has ended (its end told, if no
    // handler runs).
    virtual void letCommandsEnd() = 0;
    // Once the next message box is open: runs `inside` while it is, then
    // answers it, if it is still open.
    virtual void duringNextBox(Callback inside, MessageResult answer) = 0;

    // A user's mouse click on the control, where it is on the window, or
    // with these buttons (mouse::left, ...) on the window's background.
    virtual void click(Control& control) = 0;
    virtual void clickBackground(NativeWindow& window, int buttons) = 0;
    // A user's Tab or Enter in the window.
    virtual void pressTab(NativeWindow& window) = 0;
    virtual void pressEnter(NativeWindow& window) = 0;
    virtual bool hasFocus(const Control& control) = 0;

    // The system asks the window to close for this cause.
    virtual void requestClose(NativeWindow& window, CloseCause cause) = 0;

    // A timer whose starts the system takes until refuseTimers(), and then
    // refuses.
    virtual Timer& refusableTimer(NativeWindow& window, TimerDefinition def) = 0;
    virtual void refuseTimers() = 0;
};

}  // namespace kestrow::contract
