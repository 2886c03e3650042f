#include "platform/win32/system_services.h"

#include "platform/win32/text.h"

#include <windows.h>

namespace kestrow::win32 {

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
