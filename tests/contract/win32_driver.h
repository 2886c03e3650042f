// The contract's driver over the Win32 desktop: real input through
// SendInput, boxes found and answered from inside their modal loop, and the
// recorder standing in for shutdown.exe.
#pragma once

#include "platform/win32/win32_controls.h"
#include "tests/contract/platform_driver.h"
#include "tests/win32/test_support.h"

#include <memory>
#include <utility>

namespace kestrow::contract {

class Win32Driver final : public PlatformDriver {
public:
    Services& services() override { return platform_.services; }
    void letTimePass(int ms) override { win32::testing::pumpFor(ms); }
    void letCommandsEnd() override { platform_.commands.waitForEnds(); }
    void duringNextBox(Callback inside, MessageResult answer) override { nextBox_ = {std::move(inside), answer, true}; }

    void click(Control& control) override { win32::testing::clickOn(native(control).hwnd()); }
    void clickBackground(NativeWindow& window, int buttons) override
    {
        POINT corner{5, 5};
        ClientToScreen(win32::testing::hwndOf(window), &corner);
        win32::testing::clickAt(corner, buttons == mouse::right);
    }
    void pressTab(NativeWindow& window) override { press(window, VK_TAB); }
    void pressEnter(NativeWindow& window) override { press(window, VK_RETURN); }
    bool hasFocus(const Control& control) override { return native(control).hasFocus(); }

    // As Windows delivers each cause. The session's end is asked about
    // first and may be called off: only its real end is a close request.
    void requestClose(NativeWindow& window, CloseCause cause) override
    {
        HWND hwnd = win32::testing::hwndOf(window);
        if (cause == CloseCause::User) SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (cause == CloseCause::TaskManager) SendMessageW(hwnd, WM_CLOSE, 0, 0);
        if (cause == CloseCause::SessionEnd) {
            SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0);
            SendMessageW(hwnd, WM_ENDSESSION, FALSE, 0);
            SendMessageW(hwnd, WM_ENDSESSION, TRUE, 0);
        }
    }

    // The system refuses a timer of a window that has gone: the timer's
    // window here is one the driver destroys under it.
    Timer& refusableTimer(NativeWindow&, TimerDefinition def) override
    {
        timerWindow_.reset(
            CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
        timer_ = std::make_unique<win32::Win32Timer>(timerWindow_.get(), 1, std::move(def));
        return *timer_;
    }
    void refuseTimers() override { timerWindow_.reset(); }

private:
    struct NextBox {
        Callback inside;
        MessageResult answer = MessageResult::Ok;
        bool expected = false;
    };

    static const win32::ChildControl& native(const Control& control)
    {
        return dynamic_cast<const win32::ChildControl&>(control);
    }
    static void press(NativeWindow& window, WORD key)
    {
        SetForegroundWindow(win32::testing::hwndOf(window));
        win32::testing::pressKey(key);
    }

    // Inside a modal loop: the box expected is open. What runs inside it
    // may pump messages, which comes back here meanwhile.
    void onModalLoop()
    {
        HWND box = win32::testing::shownBox();
        if (!box || inside_ || !nextBox_.expected) return;
        const NextBox next = std::exchange(nextBox_, {});
        inside_ = true;
        if (next.inside) next.inside();
        inside_ = false;
        if (IsWindow(box)) PostMessageW(box, WM_COMMAND, next.answer == MessageResult::Ok ? IDOK : IDCANCEL, 0);
    }

    win32::testing::Win32Services platform_;
    NextBox nextBox_;
    bool inside_ = false;
    win32::OwnedWindow timerWindow_;
    std::unique_ptr<win32::Win32Timer> timer_;
    win32::testing::DuringModalLoops watch_{[this] { onModalLoop(); }};
};

}  // namespace kestrow::contract
