// Starts the two programs the windows use, shutdown.exe and explorer.exe,
// from the system's own folders, without waiting for them, tells how they
// ended once they have, and gives the activation back that a console
// window took from nobody in particular (ActivationKeeper).
#pragma once

#include "platform/services.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace kestrow::win32 {

// A started program may take the activation: the real shutdown.exe is a
// console program, and its console window, shown minimized with focus, is
// activated for its lifetime. When that window closes, the system picks
// another window to activate, or none (Wine picks none). With none, Tab and
// Enter reach no window until the user clicks one, and a user working in
// another program finds it inactive. The keeper gives the activation back
// to the window that had it when the program was started, and only when no
// window has it for a moment after the program's end: whatever the system
// or the user made active stays.
class ActivationKeeper {
public:
    // Its checks come as WM_TIMER to `window` with this id: pass them on to
    // onTimer().
    ActivationKeeper(HWND window, UINT_PTR timerId) : window_(window), timerId_(timerId) {}

    // A program started while `activeBefore` was the foreground window has
    // ended. Its console window may still be closing: the keeper looks on
    // for a short while.
    void programEnded(HWND activeBefore);
    void onTimer();
    bool watching() const { return !watches_.empty(); }

private:
    struct Watch {
        HWND activeBefore;
        ULONGLONG untilMs;
    };
    static void giveBack(HWND window);

    HWND window_;
    UINT_PTR timerId_;
    std::vector<Watch> watches_;
    TimerRegistration timer_;
};

class Win32CommandRunner final : public CommandRunner {
public:
    // The real system folder and Windows folder. Outcomes are handed to the
    // desktop's posted callbacks, so they run once no handler is running.
    explicit Win32CommandRunner(Win32Desktop& desktop);
    // Other folders in their place, for tests that must never reach the
    // real shutdown.exe, and a patience of their choosing.
    Win32CommandRunner(Win32Desktop& desktop, std::wstring systemFolder, std::wstring windowsFolder,
                       int patienceMs = kCommandPatienceMs);
    ~Win32CommandRunner() override;
    Win32CommandRunner(const Win32CommandRunner&) = delete;
    Win32CommandRunner& operator=(const Win32CommandRunner&) = delete;

    CommandStart run(const CommandLine& command, CommandEnded onEnded) override;

    // Whether every program started has ended and its end been handled,
    // the activation its console window took given back included.
    bool idle() const { return waiting_.empty() && !activation_.watching(); }

private:
    struct Waiting;

    static void CALLBACK ended(void* context, BOOLEAN timedOut);
    void finish(LPARAM waiting);

    Win32Desktop& desktop_;
    std::wstring systemFolder_;
    std::wstring windowsFolder_;
    int patienceMs_;
    // What the thread pool's wait callbacks and the keeper's timer send to
    // the desktop's message window comes here under this key.
    UINT_PTR key_;
    ActivationKeeper activation_;
    std::vector<std::unique_ptr<Waiting>> waiting_;
};

}  // namespace kestrow::win32
