// UTF-8 inside the program, UTF-16 at the Win32 boundary.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kestrow::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// A window's text (a control's caption or field text) as UTF-8.
std::string windowText(HWND window);

// The system's own words for an error code, without the trailing line break.
std::string systemMessage(DWORD error);

}  // namespace kestrow::win32
