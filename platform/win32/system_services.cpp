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

std::string Win32NumberLocale::decimalSeparator() const
{
    wchar_t buffer[8];  // LOCALE_SDECIMAL holds at most four characters
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
    if (n <= 1) return ".";
    return narrow(std::wstring_view(buffer, static_cast<size_t>(n - 1)));
}

}  // namespace kestrow::win32
