// Test stand-in for a system program: writes its command line to ran.txt
// and its current folder to folder.txt next to itself, stays alive a while,
// then writes done.txt and exits with the code KESTROW_RECORDER_EXIT names
// (0 without it). It touches nothing else.
#include <windows.h>

#include <string>

namespace {

void writeBeside(const std::wstring& folder, const wchar_t* name, const std::wstring& text)
{
    HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int wmain()
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    folder.resize(folder.find_last_of(L'\\') + 1);
    writeBeside(folder, L"ran.txt", GetCommandLineW());
    wchar_t current[MAX_PATH];
    writeBeside(folder, L"folder.txt", std::wstring(current, GetCurrentDirectoryW(MAX_PATH, current)));
    wchar_t code[16]{};
    const int exitCode = GetEnvironmentVariableW(L"KESTROW_RECORDER_EXIT", code, 16) ? _wtoi(code) : 0;
    Sleep(1500);
    writeBeside(folder, L"done.txt", L"done");
    return exitCode;
}
