// Stands in for shutdown.exe and explorer.exe wherever a test or the benchmark
// lets a program start them: in the Wine prefixes of the end-to-end tests and
// the benchmark, and in the runner test's make-believe system folders. It
// appends one line about how it was started to a log and does nothing else,
// so nothing can ever shut a machine down or open a page.
//
// Log line: <FILETIME at start, decimal 100 ns units> TAB <current folder>
//           TAB <command line> LF, in UTF-8. No folder name holds a tab.
// The log is KESTROW_RECORDER_LOG, or kestrow-commands.log beside the
// recorder itself, so each planted copy tells whether it ran.
//
// The stamp, taken first thing, lets a reader time a command on the clock it
// reads itself, across processes. The line is written as the recorder ends:
// whoever sees it knows the program has run to its end. KESTROW_RECORDER_STAY_MS
// keeps it alive that long before (for a runner that must not wait for it);
// KESTROW_RECORDER_EXIT names its exit code (0 without it), so it can answer
// as a refusing shutdown.exe would.
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0A00  // GetSystemTimePreciseAsFileTime
#endif
#include "platform/win32/text.h"

#include <windows.h>

#include <string>

namespace {

using kestrow::win32::narrow;

std::wstring logPath()
{
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(L"KESTROW_RECORDER_LOG", buffer, MAX_PATH * 2);
    if (n > 0 && n < MAX_PATH * 2) return std::wstring(buffer, n);
    n = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
    std::wstring path(buffer, n);
    const auto slash = path.find_last_of(L"\\/");
    return path.substr(0, slash == std::wstring::npos ? 0 : slash + 1) + L"kestrow-commands.log";
}

int numberFromEnvironment(const wchar_t* name)
{
    wchar_t text[16]{};
    return GetEnvironmentVariableW(name, text, 16) ? _wtoi(text) : 0;
}

std::wstring currentFolder()
{
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = GetCurrentDirectoryW(MAX_PATH * 2, buffer);
    return std::wstring(buffer, n < MAX_PATH * 2 ? n : 0);
}

int record()
{
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long stamp = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const std::string line =
        std::to_string(stamp) + "\t" + narrow(currentFolder()) + "\t" + narrow(GetCommandLineW()) + "\n";

    if (const int stay = numberFromEnvironment(L"KESTROW_RECORDER_STAY_MS"); stay > 0) Sleep(static_cast<DWORD>(stay));

    // Several recorders may end at once; retry while another holds the file.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileW(logPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            return numberFromEnvironment(L"KESTROW_RECORDER_EXIT");
        }
        Sleep(10);
    }
    return 1;
}

}  // namespace

// Built twice: as a GUI program, and as a console program like the real
// shutdown.exe, whose console window takes the activation while it runs.
#ifdef KESTROW_CONSOLE_RECORDER
int wmain() { return record(); }
#else
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return record(); }
#endif
