#include "platform/win32/command_runner.h"

#include "platform/win32/text.h"

#include <windows.h>

namespace kestrow::win32 {

namespace {

std::wstring folder(UINT (WINAPI* query)(LPWSTR, UINT))
{
    wchar_t buffer[MAX_PATH];
    const UINT n = query(buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return std::wstring(buffer, n);
}

std::wstring join(const std::wstring& folder, const wchar_t* file)
{
    if (folder.empty()) return {};
    std::wstring path = folder;
    if (path.back() != L'\\') path += L'\\';
    return path + file;
}

}  // namespace

Win32CommandRunner::Win32CommandRunner()
    : systemFolder_(folder(&GetSystemDirectoryW)), windowsFolder_(folder(&GetWindowsDirectoryW))
{
}

Win32CommandRunner::Win32CommandRunner(std::wstring systemFolder, std::wstring windowsFolder)
    : systemFolder_(std::move(systemFolder)), windowsFolder_(std::move(windowsFolder))
{
}

CommandResult Win32CommandRunner::run(std::string_view commandLine)
{
    const std::string_view program = commandLine.substr(0, commandLine.find(' '));
    // A full path: with no application name CreateProcess would search the
    // exe's and the current folder first, where a planted copy could wait.
    std::wstring application;
    if (program == "shutdown") {
        application = join(systemFolder_, L"shutdown.exe");
    } else if (program == "explorer.exe") {
        application = join(windowsFolder_, L"explorer.exe");
    } else {
        return {false, "不允许运行的程序：" + std::string(program)};
    }
    if (application.empty()) return {false, systemMessage(ERROR_PATH_NOT_FOUND)};

    std::wstring writable = widen(commandLine);  // CreateProcessW may write to it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return {false, systemMessage(GetLastError())};
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {true, {}};
}

}  // namespace kestrow::win32
