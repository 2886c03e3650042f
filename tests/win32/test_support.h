// Shared by the adapter tests: a message pump, real keyboard and mouse
// input, a recording command runner and a Services bundle over the real
// Win32 desktop.
#pragma once

#include "platform/services.h"
#include "platform/win32/command_runner.h"
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
    for (int round = 0; round < 3 || (GetQueueStatus(QS_INPUT) && round < 100); ++round, Sleep(10)) pumpMessages();
}

// Real input, as a user's: it passes the dialog manager, which posted
// WM_KEYDOWNs would not. The modifier (Shift) is held around the key.
inline void pressKey(WORD key, WORD modifier = 0)
{
    const WORD keys[] = {modifier, key, key, modifier};
    INPUT inputs[4]{};
    UINT n = 0;
    for (int i = 0; i < 4; ++i) {
        if (!keys[i]) continue;
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n].ki.wVk = keys[i];
        inputs[n++].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(n, inputs, sizeof(INPUT));
    settle();
}

inline void clickAt(POINT screen, bool right = false)
{
    SetCursorPos(screen.x, screen.y);
    INPUT inputs[2]{{INPUT_MOUSE, {}}, {INPUT_MOUSE, {}}};
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

// A shown popup menu ("#32768") or message box ("#32770").
inline HWND shownWindowOfClass(const wchar_t* windowClass)
{
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr;) {
        if (IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// Runs a check every 50 ms, also inside the modal loops of message boxes and
// menus. A TIMERPROC carries no pointer, hence the one slot.
class DuringModalLoops {
public:
    explicit DuringModalLoops(std::function<void()> check) { slot() = std::move(check); }
    ~DuringModalLoops()
    {
        KillTimer(nullptr, id_);
        slot() = nullptr;
    }

private:
    static std::function<void()>& slot()
    {
        static std::function<void()> check;
        return check;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (slot()) slot()();
    }
    UINT_PTR id_ = SetTimer(nullptr, 0, 50, &tick);
};

// The exe's own folder, where the build puts the tests beside each other.
inline std::wstring exeFolder()
{
    wchar_t path[MAX_PATH];
    std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// shutdown.exe and explorer.exe for the program under test: the recorder
// built as a console program (tests/e2e/recorder.cpp), planted in a folder
// of this runner's own and started by the real runner. As the real
// shutdown.exe does, each gets a console window that takes the activation
// while it runs. The command lines are kept here as they start; the
// recorder's exit code (KESTROW_RECORDER_EXIT) is what Windows answers.
class RecordingRunner final : public CommandRunner {
public:
    explicit RecordingRunner(Win32Desktop& desktop)
        : folder_(plantRecorder()), real_(desktop, folder_, folder_)
    {
        // kestrow.exe is a GUI program: a console program it starts gets a
        // console, and a console window, of its own. This test exe is a
        // console program, whose children would share its console; without
        // one it starts them as kestrow.exe does. Its output goes on, to the
        // pipe or file it was given.
        FreeConsole();
    }
    ~RecordingRunner() override
    {
        for (const wchar_t* file : {L"shutdown.exe", L"explorer.exe", L"kestrow-commands.log"}) {
            DeleteFileW((folder_ + file).c_str());
        }
        RemoveDirectoryW(folder_.c_str());
    }
    RecordingRunner(const RecordingRunner&) = delete;
    RecordingRunner& operator=(const RecordingRunner&) = delete;

    CommandStart run(const Command& command, CommandEnded onEnded) override
    {
        const CommandStart start = real_.run(command, std::move(onEnded));
        if (start.started) commands.push_back(command.line());
        return start;
    }
    // Pumps until every program started has ended and its end is handled,
    // the activation given back included.
    void waitForEnds()
    {
        for (int i = 0; i < 300 && !real_.idle(); ++i, Sleep(20)) settle();
        for (int i = 0; i < 5; ++i, Sleep(20)) settle();
    }
    std::vector<std::string> commands;

private:
    static std::wstring plantRecorder()
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int planted = 0;
        const std::wstring folder = std::wstring(temp) + L"kestrow-system-" + std::to_wstring(GetCurrentProcessId()) +
                                    L"-" + std::to_wstring(++planted) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring recorder = exeFolder() + KESTROW_CONSOLE_RECORDER_FROM_TESTS;
        CopyFileW(recorder.c_str(), (folder + L"shutdown.exe").c_str(), FALSE);
        CopyFileW(recorder.c_str(), (folder + L"explorer.exe").c_str(), FALSE);
        return folder;
    }

    std::wstring folder_;
    Win32CommandRunner real_;
};

struct Win32Services {
    Win32Desktop desktop;
    RecordingRunner commands{desktop};
    Win32MessageBoxes messages;
    Win32Clock clock;
    Win32NumberLocale locale;
    Services services{desktop, commands, messages, clock, locale};
};

// The real window behind a portable one.
inline Win32Window& native(NativeWindow& window) { return static_cast<Win32Window&>(window); }
inline HWND hwndOf(NativeWindow& window) { return native(window).hwnd(); }

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
