// Desktop on Win32: windows, the screen they open on, posted callbacks and
// the message loop.
#pragma once

#include "platform/services.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/handler_depth.h"
#include "platform/win32/handles.h"
#include "platform/win32/newer_functions.h"
#include "platform/win32/private_messages.h"
#include "platform/win32/win32_window.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <map>

namespace kestrow::win32 {

class Win32Desktop final : public Desktop {
public:
    // Registers the common controls used by the windows. The lookup finds
    // the functions of newer Windows for the desktop and its windows; a
    // test hides them with findNothing.
    explicit Win32Desktop(FunctionLookup lookup = &findInSystem);
    ~Win32Desktop() override;
    Win32Desktop(const Win32Desktop&) = delete;
    Win32Desktop& operator=(const Win32Desktop&) = delete;

    std::unique_ptr<NativeWindow> createWindow(WindowDefinition def) override;
    ScreenArea workArea(const NativeWindow& placed) const override;
    int doubleClickMs() const override;
    // The callback runs once no window handler is on the stack any more,
    // even if a modal loop inside a handler dispatches messages meanwhile.
    void post(Callback callback) override;
    void quit() override;

    // The desktop's one message-only window takes what other threads hand
    // back to this one, for the adapter's other parts: a message kForListener
    // posted to it with a listener's key as wParam, or a timer set on it
    // with that key as its id (the listener hears WM_TIMER), reaches the
    // listener until it stops listening. Window messages, not thread
    // messages: modal loops (message boxes, menus) dispatch them too.
    static constexpr UINT kForListener = private_message::kForListener;
    using Listener = std::function<void(UINT message, LPARAM lParam)>;
    UINT_PTR listen(Listener listener);
    void stopListening(UINT_PTR key) { listeners_.erase(key); }
    HWND messageWindow() const { return messages_.get(); }

    // Runs the message loop until quit(); returns the exit code.
    int run();
    // Drops callbacks that were posted but never ran.
    void discardPosted();

    // Whether the user has high contrast on. Tests put a stand-in here:
    // Wine cannot switch high contrast on.
    std::function<bool()> highContrast = systemHighContrast;
    // Where the windows' taskbar buttons come from; tests hand in one
    // that fails, as Windows without Explorer does.
    TaskbarListFactory makeTaskbarList = [this] { return createTaskbarList(com_); };

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void wake();
    void runPosted();
    HWND home() const;

    const FunctionLookup lookup_;
    ComApartment com_;  // for the taskbar list and the pictures
    OwnedWindow messages_;
    std::deque<Callback> posted_;
    std::map<UINT_PTR, Listener> listeners_;
    UINT_PTR nextKey_ = 1;
    HandlerDepth handlers_{[this] { wake(); }};
    HWND home_ = nullptr;  // the first window made
    bool quitting_ = false;
};

// One message of the loop: Tab and Enter go through IsDialogMessage for our
// windows, everything else is translated and dispatched.
void dispatchMessage(MSG& message);

}  // namespace kestrow::win32
