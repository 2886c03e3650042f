// Functions of Windows newer than 7 SP1, the oldest Windows kestrow.exe runs
// on. The exe must not import them (tests/win32/imports_allowed.txt lists
// what it may import), so they are found here at run time, and each caller
// keeps a fallback for when one is missing.
//
// The lookup is handed down rather than kept in the process: Win32Desktop
// holds one and gives it to its windows, so an adapter test hides a
// function by handing the desktop a lookup that finds nothing.
#pragma once

#include <windows.h>

namespace kestrow::win32 {

// Finds a function exported by a DLL of the system folder ("user32.dll"),
// or nullptr.
using FunctionLookup = FARPROC (*)(const wchar_t* dll, const char* name);

// The real lookup: the DLL the process has loaded, or else the one in the
// system folder, loaded by its full path (never searched for) and kept for
// the rest of the process.
FARPROC findInSystem(const wchar_t* dll, const char* name);

// Every newer function missing, as on Windows 7 SP1 (adapter tests).
FARPROC findNothing(const wchar_t* dll, const char* name);

// The function as the type to call it by, or nullptr.
template <class Fn>
Fn findFunction(FunctionLookup lookup, const wchar_t* dll, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(lookup(dll, name)));
}

// What restrictDllSearch could do.
enum class DllSearch {
    SystemFolderOnly,      // SetDefaultDllDirectories: Windows 8 and later, 7 with KB2533623
    WithoutCurrentFolder,  // SetDllDirectoryW(L""): the exe's own folder is still searched
    Unrestricted,          // both refused
};

// Before anything can load a library: a portable exe is often started from a
// download folder, where a planted DLL must never be picked up. Every DLL
// the program needs is a system one.
DllSearch restrictDllSearch(FunctionLookup lookup = &findInSystem);

}  // namespace kestrow::win32
