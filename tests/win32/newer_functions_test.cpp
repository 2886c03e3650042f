// The run-time lookup of newer Windows functions, and the DLL search
// narrowed with or without the newest of them.
#include "platform/win32/newer_functions.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kestrow::win32 {
namespace {

TEST(NewerFunctions, FoundInLoadedAndNotYetLoadedSystemDllsAndNeverMadeUp)
{
    EXPECT_NE(findInSystem(L"user32.dll", "GetDpiForWindow"), nullptr);
    // shcore.dll (Windows 8.1) is loaded from the system folder on demand.
    EXPECT_NE(findInSystem(L"shcore.dll", "GetDpiForMonitor"), nullptr);
    EXPECT_EQ(findInSystem(L"user32.dll", "NoSuchFunction"), nullptr);
    EXPECT_EQ(findInSystem(L"no_such_library.dll", "GetDpiForWindow"), nullptr);
    EXPECT_EQ(findNothing(L"user32.dll", "GetDpiForWindow"), nullptr);
}

// Windows 7 without KB2533623 first: SetDefaultDllDirectories cannot be
// undone, while SetDllDirectoryW leaves it free to narrow further.
TEST(NewerFunctions, DllSearchLosesTheCurrentFolderOrEverythingButTheSystemFolder)
{
    const FunctionLookup windowsSeven = [](const wchar_t* dll, const char* name) {
        return std::strcmp(name, "SetDefaultDllDirectories") == 0 ? nullptr : findInSystem(dll, name);
    };
    EXPECT_EQ(restrictDllSearch(windowsSeven), DllSearch::WithoutCurrentFolder);
    EXPECT_EQ(restrictDllSearch(), DllSearch::SystemFolderOnly);
    // System DLLs still load by name.
    EXPECT_NE(LoadLibraryW(L"version.dll"), nullptr);
}

}  // namespace
}  // namespace kestrow::win32
