// Shared by the adapter tests: a message pump, real keyboard and mouse
// input, a recording command runner and a Services bundle over the real
// Win32 desktop.
#pragma once

#include "platform/services.h"
#include "platform/win32/system_services.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_window.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kestrow::win32::testing {

// Handles every message already queued, as the program's loop would.
inline void pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;  // the test decides when to stop
        dispatchMessage(message);
    }
}

// Pumps until the input sent so far has been handled.
inline void settle()
{
    for (int round = 0; round < 3 || (GetQueueStatus(QS_INPUT) && round < 100); ++round) {
        pumpMessages();
        Sleep(10);
    }
}

// Real key presses for the foreground window: they pass the dialog manager
// as a user's do, which posted WM_KEYDOWNs would not.
inline void pressKey(WORD key, WORD modifier = 0)
{
    std::vector<INPUT> inputs;
    const auto add = [&](WORD vk, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (modifier) add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (modifier) add(modifier, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    settle();
}

// A real click at a point on the screen, or in the middle of a window.
inline void clickAt(POINT screen, bool right = false)
{
    SetCursorPos(screen.x, screen.y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
    settle();
}

inline void clickOn(HWND window, bool right = false)
{
    RECT r{};
    GetWindowRect(window, &r);
    clickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, right);
}

// A shown top-level window of this thread by class: "#32768" a popup menu,
// "#32770" a message box.
inline HWND shownWindowOfClass(const wchar_t* windowClass)
{
    struct Search {
        const wchar_t* windowClass;
        HWND found;
    } search{windowClass, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        wchar_t name[16]{};
        GetClassNameW(window, name, 16);
        if (IsWindowVisible(window) && wcscmp(name, s.windowClass) == 0) s.found = window;
        return !s.found;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Runs a check every 50 ms, also inside the modal loops of message boxes and
// menus. A TIMERPROC carries no pointer, hence the one slot.
class DuringModalLoops {
public:
    explicit DuringModalLoops(std::function<void()> check)
    {
        slot() = std::move(check);
        id_ = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
            if (slot()) slot()();
        });
    }
    ~DuringModalLoops()
    {
        KillTimer(nullptr, id_);
        slot() = nullptr;
    }
    DuringModalLoops(const DuringModalLoops&) = delete;
    DuringModalLoops& operator=(const DuringModalLoops&) = delete;

private:
    static std::function<void()>& slot()
    {
        static std::function<void()> check;
        return check;
    }
    UINT_PTR id_ = 0;
};

class RecordingRunner final : public CommandRunner {
public:
    CommandResult run(std::string_view commandLine) override
    {
        commands.emplace_back(commandLine);
        return {true, {}};
    }
    std::vector<std::string> commands;
};

struct Win32Services {
    Win32Desktop desktop;
    RecordingRunner commands;
    Win32MessageBoxes messages;
    Win32Clock clock;
    Win32NumberLocale locale;
    Services services{desktop, commands, messages, clock, locale};
};

inline SIZE clientSize(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// The DPI the run script set for this pass (KESTROW_TEST_DPI), or 0.
inline int expectedDpi()
{
    wchar_t value[16]{};
    if (!GetEnvironmentVariableW(L"KESTROW_TEST_DPI", value, 16)) return 0;
    return _wtoi(value);
}

inline bool hasStyle(HWND window, LONG style) { return (GetWindowLongW(window, GWL_STYLE) & style) == style; }

}  // namespace kestrow::win32::testing
