#include "platform/win32/system_services.h"

#include "platform/win32/program_modal.h"
#include "platform/win32/text.h"

#include <windows.h>

#include <stdexcept>

namespace kestrow::win32 {

// Owned by the window that asks (the program's active window; GetActiveWindow
// only ever names a window of this thread), and modal for the whole program.
// Should that window go while the box is open, the system destroys the box
// with it and MessageBoxW returns 0: the question counts as declined, and the
// handler that asked goes on.
MessageResult Win32MessageBoxes::show(std::string_view prompt, MessageButtons buttons,
                                      std::optional<std::string_view> title)
{
    const std::wstring text = widen(prompt);
    const std::wstring caption = widen(title ? *title : kApplicationTitle);
    const bool okCancel = buttons == MessageButtons::OkCancel;
    HWND owner = GetActiveWindow();
    int answer = 0;
    DWORD error = 0;
    {
        const ProgramModal modal(owner);
        answer = MessageBoxW(owner, text.c_str(), caption.c_str(), okCancel ? MB_OKCANCEL : MB_OK);
        error = GetLastError();
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
