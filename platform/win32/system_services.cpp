#include "platform/win32/system_services.h"

#include "platform/win32/program_modal.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_window.h"

#include <windows.h>

#include <stdexcept>

namespace kestrow::win32 {

namespace {

BOOL CALLBACK firstOfOurs(HWND window, LPARAM found)
{
    if (!Win32Window::isOurs(window) || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The asking window, or, should it have closed meanwhile (a late answer
// from Windows for a closed timer window), another window of ours: a box
// without an owner would stand apart from the program it speaks for.
HWND ownerFor(const NativeWindow& asking)
{
    HWND owner = static_cast<const Win32Window&>(asking).hwnd();
    if (!owner) EnumThreadWindows(GetCurrentThreadId(), &firstOfOurs, reinterpret_cast<LPARAM>(&owner));
    return owner;
}

// Whether the user is in this program now: its window, or a box or menu of
// it, is the foreground window.
bool programInFront()
{
    HWND front = GetForegroundWindow();
    return front && Win32Window::isOurs(GetAncestor(front, GA_ROOTOWNER));
}

}  // namespace

void flashTaskbarButton(HWND window, bool on)
{
    FLASHWINFO flash{};
    flash.cbSize = sizeof flash;
    flash.hwnd = window;
    flash.dwFlags = on ? FLASHW_ALL | FLASHW_TIMERNOFG : FLASHW_STOP;
    FlashWindowEx(&flash);
}

// Modal for the whole program. A box raised while the user works in another
// program asks for the foreground; Windows may refuse it to a program in
// the background (the foreground lock), so the owner's taskbar button also
// flashes until the user comes (any window of ours activated stops it).
// Should the owner go while the box is open, the system destroys the box
// with it and MessageBoxW returns 0: the question counts as declined, and
// the handler that asked goes on.
MessageResult Win32MessageBoxes::show(const NativeWindow& asking, std::string_view prompt, MessageButtons buttons,
                                      std::optional<std::string_view> title)
{
    const std::wstring text = widen(prompt);
    const std::wstring caption = widen(title ? *title : kApplicationTitle);
    const bool okCancel = buttons == MessageButtons::OkCancel;
    HWND owner = ownerFor(asking);
    const bool elsewhere = !programInFront();
    int answer = 0;
    DWORD error = 0;
    {
        const ProgramModal modal(owner);
        if (elsewhere && owner && askForAttention) askForAttention(owner, true);
        answer = MessageBoxW(owner, text.c_str(), caption.c_str(), (okCancel ? MB_OKCANCEL : MB_OK) | MB_SETFOREGROUND);
        error = GetLastError();
        if (elsewhere && owner && askForAttention && IsWindow(owner)) askForAttention(owner, false);
    }
    if (answer == 0 && owner && !IsWindow(owner)) answer = okCancel ? IDCANCEL : IDOK;
    if (answer == 0) throw std::runtime_error(systemMessage(error));
    return answer == IDCANCEL ? MessageResult::Cancel : MessageResult::Ok;
}

TimeOfDay Win32Clock::timeOfDay() const
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wSecond};
}

// GetTickCount64 goes on through sleep and hibernation, where the unbiased
// interrupt time stops. It moves in steps of the system timer (10 to 16 ms),
// so a reading may lag the moment a timer message was due by one step.
// Wine takes it from the host's CLOCK_MONOTONIC_RAW, which on Linux stands still
// while the host is suspended: there a countdown ends late by the suspension.
std::int64_t Win32Clock::monotonicMs() const { return static_cast<std::int64_t>(GetTickCount64()); }

std::string Win32NumberLocale::decimalSeparator() const
{
    wchar_t buffer[8];  // LOCALE_SDECIMAL holds at most four characters
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
    if (n <= 1) return ".";
    return narrow(std::wstring_view(buffer, static_cast<size_t>(n - 1)));
}

}  // namespace kestrow::win32
