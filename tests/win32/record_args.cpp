// Test stand-in for a system program: writes its command line to ran.txt
// next to itself, stays alive a while, then writes done.txt and exits. It
// touches nothing else.
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
    Sleep(1500);
    writeBeside(folder, L"done.txt", L"done");
    return 0;
}
