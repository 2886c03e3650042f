// Shared by the adapter tests: a message pump and waits that pump, real
// keyboard and mouse input, the recorder planted as the system's programs, a
// recording command runner and a Services bundle over the real Win32
// desktop. Boxes and menus are found, and the recorder's log is read, as the
// end-to-end tests do it (tests/e2e/window_driver.h).
#pragma once

#include "platform/services.h"
#include "platform/win32/command_runner.h"
#include "platform/win32/message_boxes.h"
#include "platform/win32/system_services.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_window.h"
#include "tests/e2e/window_driver.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kestrow::win32::testing {

// Handles every message already queued, as the program's loop would, and
// says whether a WM_QUIT was among them: the test decides when to stop.
inline bool pumpMessages()
{
    bool quit = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
        } else {
            dispatchMessage(message);
        }
    }
    return quit;
}

// Pumps until done() holds or ms have passed; says whether it held.
inline bool pumpUntil(const std::function<bool()>& done, int ms = drive::kPatience)
{
    return drive::waitUntil(
        [&] {
            pumpMessages();
            return done();
        },
        ms);
}

// Pumps for ms, for what must not happen meanwhile.
inline void pumpFor(int ms)
{
    pumpUntil([] { return false; }, ms);
}

// Pumps until the input sent so far has been handled.
inline void pumpUntilInputHandled()
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
    pumpUntilInputHandled();
}

inline void clickAt(POINT screen, bool right = false)
{
    SetCursorPos(screen.x, screen.y);
    INPUT inputs[2]{{INPUT_MOUSE, {}}, {INPUT_MOUSE, {}}};
    inputs[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
    pumpUntilInputHandled();
}

inline void clickOn(HWND window, bool right = false)
{
    RECT r{};
    GetWindowRect(window, &r);
    clickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, right);
}

// This program's shown message box or popup menu, or nullptr.
inline HWND shownBox() { return drive::findShown(GetCurrentProcessId(), L"#32770"); }
inline HWND shownMenu() { return drive::findShown(GetCurrentProcessId(), L"#32768"); }

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

// The recorder (tests/e2e/recorder.cpp) as shutdown.exe and explorer.exe in
// a temporary folder of its own, which goes with the object. The build puts
// the recorders at a path relative to the tests (KESTROW_RECORDER_FROM_TESTS,
// KESTROW_CONSOLE_RECORDER_FROM_TESTS). A copy that runs logs beside itself
// unless KESTROW_RECORDER_LOG names another log.
class PlantedRecorder {
public:
    explicit PlantedRecorder(const wchar_t* recorderFromTests)
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int planted = 0;
        folder_ = std::wstring(temp) + L"kestrow-recorder-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(++planted) + L"\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
        const std::wstring recorder = exeFolder() + recorderFromTests;
        for (const wchar_t* name : kNames) {
            if (!CopyFileW(recorder.c_str(), (folder_ + name).c_str(), FALSE)) planted_ = false;
        }
    }
    ~PlantedRecorder()
    {
        for (const wchar_t* name : kNames) DeleteFileW((folder_ + name).c_str());
        DeleteFileW(log().c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    PlantedRecorder(const PlantedRecorder&) = delete;
    PlantedRecorder& operator=(const PlantedRecorder&) = delete;

    const std::wstring& folder() const { return folder_; }  // with the trailing backslash
    bool planted() const { return planted_; }
    std::wstring log() const { return folder_ + L"kestrow-commands.log"; }
    // Whether a copy here ran to its end.
    bool ran() const { return GetFileAttributesW(log().c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    static constexpr const wchar_t* kNames[] = {L"shutdown.exe", L"explorer.exe"};
    std::wstring folder_;
    bool planted_ = true;
};

// shutdown.exe and explorer.exe for the program under test: the recorder
// built as a console program, planted for this runner alone and started by
// the real runner. As the real shutdown.exe does, each gets a console window
// that takes the activation while it runs. The command lines are kept here
// as they start; the recorder's exit code (KESTROW_RECORDER_EXIT) is what
// Windows answers.
class RecordingRunner final : public CommandRunner {
public:
    explicit RecordingRunner(Win32Desktop& desktop) : real_(desktop, recorder_.folder(), recorder_.folder())
    {
        // kestrow.exe is a GUI program: a console program it starts gets a
        // console, and a console window, of its own. This test exe is a
        // console program, whose children would share its console; without
        // one it starts them as kestrow.exe does. Its output goes on, to the
        // pipe or file it was given.
        FreeConsole();
    }

    CommandStart run(const CommandLine& command, CommandEnded onEnded) override
    {
        const CommandStart start = real_.run(command, std::move(onEnded));
        if (start.started) commands.push_back(command.text());
        return start;
    }
    // Pumps until every program started has ended and its end is handled,
    // the activation given back included.
    void waitForEnds()
    {
        pumpUntil([this] { return real_.idle(); }, kCommandPatienceMs);
        for (int i = 0; i < 5; ++i, Sleep(20)) pumpUntilInputHandled();
    }
    std::vector<std::string> commands;

private:
    PlantedRecorder recorder_{KESTROW_CONSOLE_RECORDER_FROM_TESTS};
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
