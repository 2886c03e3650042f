// Shared by the adapter tests: a message pump, a recording command runner
// and a Services bundle over the real Win32 desktop.
#pragma once

#include "platform/services.h"
#include "platform/win32/system_services.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_window.h"

#include <windows.h>

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

// Records command lines and reports every command as ended well, as a
// posted callback, the way the real runner tells an end.
class RecordingRunner final : public CommandRunner {
public:
    explicit RecordingRunner(Desktop& desktop) : desktop_(desktop) {}
    CommandStart run(const Command& command, CommandEnded onEnded) override
    {
        if (auto refusal = commandRefusal(command)) return {false, *refusal};
        commands.push_back(command.line());
        if (onEnded) desktop_.post([onEnded] { onEnded({}); });
        return {true, {}};
    }
    std::vector<std::string> commands;

private:
    Desktop& desktop_;
};

struct Win32Services {
    Win32Desktop desktop;
    RecordingRunner commands{desktop};
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
