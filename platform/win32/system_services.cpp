#include "platform/win32/system_services.h"

#include "platform/win32/text.h"

#include <windows.h>

#include <stdexcept>

namespace kestrow::win32 {

// Owned by the program's active window, so that window waits for the answer;
// GetActiveWindow only ever names a window of this thread.
MessageResult Win32MessageBoxes::show(std::string_view prompt, MessageButtons buttons,
                                      std::optional<std::string_view> title)
{
    const std::wstring text = widen(prompt);
    const std::wstring caption = widen(title ? *title : kApplicationTitle);
    const UINT type = buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK;
    const int answer = MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), type);
    if (answer == 0) throw std::runtime_error(systemMessage(GetLastError()));
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
