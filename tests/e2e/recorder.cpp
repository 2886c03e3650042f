// Stands in for shutdown.exe and explorer.exe inside the Wine prefixes of the
// end-to-end test and the benchmark: it appends the command line it was started
// with to a log and does nothing else, so nothing can ever shut a machine down
// or open a page. It exits with the code KESTROW_RECORDER_EXIT names, 0
// without it.
//
// Log line: <FILETIME as decimal 100 ns units> TAB <command line, UTF-8> LF.
// The FILETIME, taken first thing, lets the test and the benchmark measure when
// a command arrived on the same clock they read themselves, across processes.
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0A00  // GetSystemTimePreciseAsFileTime
#endif
#include <windows.h>

#include <string>

namespace {

std::wstring logPath() {
    // The scripts point this at their build folders; the fallback keeps a
    // stray start (no variable) observable next to the recorder itself.
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(L"KESTROW_RECORDER_LOG", buffer, MAX_PATH * 2);
    if (n > 0 && n < MAX_PATH * 2) return std::wstring(buffer, n);
    n = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
    std::wstring path(buffer, n);
    auto slash = path.find_last_of(L"\\/");
    return path.substr(0, slash == std::wstring::npos ? 0 : slash + 1) + L"kestrow-commands.log";
}

std::string utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long stamp = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    std::string line = std::to_string(stamp) + "\t" + utf8(GetCommandLineW()) + "\n";

    // Several recorders may start at once; retry while another holds the file.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileW(logPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            // A test can make it answer as a refusing shutdown.exe would.
            wchar_t code[16]{};
            return GetEnvironmentVariableW(L"KESTROW_RECORDER_EXIT", code, 16) ? _wtoi(code) : 0;
        }
        Sleep(10);
    }
    return 1;
}
