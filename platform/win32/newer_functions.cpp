#include "platform/win32/newer_functions.h"

#include <string>

namespace kestrow::win32 {

FARPROC findInSystem(const wchar_t* dll, const char* name)
{
    HMODULE module = GetModuleHandleW(dll);
    if (!module) {
        wchar_t folder[MAX_PATH];
        const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return nullptr;
        const std::wstring path = std::wstring(folder, n) + L'\\' + dll;
        // The DLL's own dependencies are looked for beside it, in the system
        // folder. (LOAD_LIBRARY_SEARCH_SYSTEM32 would say so more plainly but
        // is refused on Windows 7 without KB2533623.)
        module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    return module ? GetProcAddress(module, name) : nullptr;
}

FARPROC findNothing(const wchar_t*, const char*) { return nullptr; }

DllSearch restrictDllSearch(FunctionLookup lookup)
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault =
        findFunction<SetDefaultDllDirectoriesFn>(lookup, L"kernel32.dll", "SetDefaultDllDirectories");
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return DllSearch::SystemFolderOnly;
    // Windows 7 without KB2533623: at least the current folder, which a
    // download or a shortcut may set, is no longer searched.
    if (SetDllDirectoryW(L"")) return DllSearch::WithoutCurrentFolder;
    return DllSearch::Unrestricted;
}

}  // namespace kestrow::win32
